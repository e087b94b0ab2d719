// orvelle: the desktop program. One document, one window. The command line may name a document
// to open or a drawing to import, or ask for an image of a document without any window.
#include <QApplication>
#include <cstdio>

#include "document/CORVDoc.h"
#include "shell/CMainFrame.h"
#include "shell/Icons.h"
#include "shell/ImageExport.h"
#include "shell/StartArguments.h"
#include "shell/WidgetDocumentUi.h"
#include "view/CORVView.h"

namespace {

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

// Messages of a run without a window go to the error stream.
class StderrDocumentUi : public HeadlessDocumentUi {
  public:
    void message(const std::string& text) override {
        std::fprintf(stderr, "orvelle: %s\n", text.c_str());
    }
};

int ExportImageOf(const StartRequest& request) {
    StderrDocumentUi ui;
    CORVDoc doc(ui);
    if (!doc.OpenDocument(request.path)) {
        return 1;
    }
    CORVView view(doc);
    view.resize(request.width, request.height);
    if (request.fit) {
        view.zoomExtent();
    } else {
        view.fitIfNeverViewed();
    }
    if (const auto error = ExportViewImage(view, QString::fromStdString(request.output))) {
        std::fprintf(stderr, "orvelle: %s\n", error->c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const StartRequest request = ParseStartArguments(ArgumentsOf(argc, argv));
    switch (request.kind) {
        case StartRequest::Kind::Help:
            std::fputs(kStartUsage, stdout);
            return 0;
        case StartRequest::Kind::Error:
            std::fprintf(stderr, "orvelle: %s\n%s", request.error.c_str(), kStartUsage);
            return 1;
        case StartRequest::Kind::ExportImage:
            // Drawn without a display unless the caller chose a platform.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            break;
        default:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORV"));
    QApplication::setApplicationName(QStringLiteral("Orvelle"));
    if (request.kind == StartRequest::Kind::ExportImage) {
        return ExportImageOf(request);
    }
    QApplication::setWindowIcon(ApplicationIcon());

    WidgetDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    ui.attach(&frame, WindowHooks(frame));

    frame.show();
    frame.runCommand({CommandId::FileNew});
    switch (request.kind) {
        case StartRequest::Kind::OpenDocument:
            frame.openDocument(QString::fromStdString(request.path));
            break;
        case StartRequest::Kind::ImportDrawing:
            frame.importDrawing(QString::fromStdString(request.path));
            break;
        default:
            break;
    }
    return QApplication::exec();
}
