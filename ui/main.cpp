#include "catalogue/location.h"
#include "store/app_folder.h"
#include "ui/commands.h"
#include "ui/font_warm_up.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    stk::ui::FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    fonts.wait();  // before any font is used, and before --help may end the program
    // --catalogue FILE, or a server's connection ("postgresql://…", "host=… dbname=…"): that catalogue
    // instead of the one of the program's folder, for this run.
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption catalogue(QStringLiteral("catalogue"),
                                       QStringLiteral("The catalogue to open: a file, or postgresql://… or "
                                                      "\"host=… dbname=…\" for a shared one."),
                                       QStringLiteral("location"));
    options.addOption(catalogue);
    options.process(app);
    const auto exe_dir = QApplication::applicationDirPath().toStdString();
    stk::MainWindow window(
        stk::app_folder(exe_dir, stk::UserDirs::from_environment(), stk::Diagnostics::standard_error()));
    if (options.isSet(catalogue)) {
        QString where = options.value(catalogue);
        if (!stk::is_server_location(where.toStdString()))
            where = QFileInfo(where).absoluteFilePath();
        window.commands().setCatalogueLocation(where);
    }
    window.show();
    return app.exec();
}
