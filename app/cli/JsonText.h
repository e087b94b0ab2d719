// A small JSON object writer for machine-read results: numbers in their shortest exact form,
// values that are not finite as null.
#pragma once

#include <string>
#include <vector>

#include "document/PlanTypes.h"

// The shortest text that reads back as the same double; "nan", "inf" and "-inf" otherwise.
std::string NumberText(double value);

class JsonObject {
  public:
    void number(const std::string& key, double value);
    void text(const std::string& key, const std::string& value);
    void null(const std::string& key);
    void object(const std::string& key, const JsonObject& value);
    // [x, y]
    void point(const std::string& key, const PlanPoint& point);
    // [[x, y], ...]
    void pointList(const std::string& key, const std::vector<PlanPoint>& points);

    std::string str() const { return "{" + body_ + "}"; }

  private:
    void key(const std::string& key);
    std::string body_;
};
