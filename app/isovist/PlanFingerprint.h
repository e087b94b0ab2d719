// A 64-bit hash of the plan an isovist request reads, made once with the plan tables, so that
// the plan caches of the isovist scratch tell an unchanged plan without comparing it whole.
#pragma once

#include <cstdint>

struct PlanTables;

// The hash of every polygon's vertex count and coordinates, of every wall segment and of the
// wall vertex count, bit for bit (so -0.0 and 0.0, or two not-a-number patterns, differ); never 0,
// which PlanTables keeps for "not known".
uint64_t PlanFingerprint(const PlanTables& plan);

// Sets plan.fingerprint from the tables' current contents and returns the tables.
PlanTables WithFingerprint(PlanTables plan);

// True when the cache built for fingerprint `cached` may trust that `plan` is its plan: both
// fingerprints known and equal. Otherwise the cache compares the plan whole.
bool SameKnownFingerprint(uint64_t cached, const PlanTables& plan);
