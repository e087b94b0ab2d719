// orvelle: the desktop program. One document, one window; an optional document path on the
// command line is opened at start.
#include <QApplication>

#include "document/CORVDoc.h"
#include "shell/CMainFrame.h"
#include "shell/Icons.h"
#include "shell/WidgetDocumentUi.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORV"));
    QApplication::setApplicationName(QStringLiteral("Orvelle"));
    QApplication::setWindowIcon(applicationIcon());

    WidgetDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    ui.attach(&frame, windowHooks(frame));

    frame.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        if (!frame.openDocument(arguments.at(1))) {
            frame.runCommand({CommandId::FileNew});
        }
    } else {
        frame.runCommand({CommandId::FileNew});
    }
    return QApplication::exec();
}
