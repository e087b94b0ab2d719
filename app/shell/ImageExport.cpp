#include "shell/ImageExport.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "view/CORVView.h"

const char* const kImageExportFilter = "PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg||";

namespace {

bool WriteSvg(CORVView& view, QSaveFile& file) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(view.size());
    generator.setViewBox(QRect(QPoint(0, 0), view.size()));
    generator.setTitle(QStringLiteral("Orvelle plan view"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    view.paintDocument(painter);
    return painter.end();
}

}  // namespace

std::optional<std::string> ExportViewImage(CORVView& view, const QString& path) {
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    if (!svg && !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        return "The image file must end in .png or .svg";
    }
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        written = svg ? WriteSvg(view, file) : view.render().save(&file, "PNG");
    }
    if (!written || !file.commit()) {
        return "The image cannot be written to " + path.toStdString();
    }
    return std::nullopt;
}
