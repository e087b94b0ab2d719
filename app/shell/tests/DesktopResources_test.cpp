// The desktop entry and the document type a file manager reads.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

namespace {

QByteArray ReadResource(const char* name) {
    QFile file(QStringLiteral(ORVELLE_SOURCE_DIR "/app/shell/resources/") +
               QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DesktopResources, TheDocumentTypeIsDeclaredAndOpenedByTheProgram) {
    QXmlStreamReader xml(ReadResource("orvelle-ovx.xml"));
    QString type;
    QString glob;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QStringLiteral("mime-type")) {
            type = xml.attributes().value(QStringLiteral("type")).toString();
        } else if (xml.name() == QStringLiteral("glob")) {
            glob = xml.attributes().value(QStringLiteral("pattern")).toString();
        }
    }
    ASSERT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_EQ(type, QStringLiteral("application/x-orvelle-document"));
    EXPECT_EQ(glob, QStringLiteral("*.ovx"));
    const QByteArray entry = ReadResource("orvelle.desktop");
    EXPECT_TRUE(entry.contains("MimeType=image/vnd.dxf;application/x-orvelle-document;"));
    EXPECT_TRUE(entry.contains("Exec=orvelle %f"));
}

}  // namespace
