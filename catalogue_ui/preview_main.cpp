// Shows the catalogue window alone, as the calculator will open it:
//   catalogue_preview CATALOGUE [TRANSLATION_FILE LANGUAGE [CCT TST]]
// CATALOGUE is a file, or a server's connection ("postgresql://…", "host=… dbname=…").
// LANGUAGE is 0 (French), 1 (English) or 2 (Portuguese); CCT and TST are the
// company parameters as typed. A chosen article is written on the standard output.
#include "catalogue_ui/catalogue_window.h"
#include "store/records.h"
#include "store/trad_table.h"

#include <QApplication>
#include <QTextStream>

#include <fstream>
#include <iterator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: catalogue_preview CATALOGUE [TRANSLATION_FILE LANGUAGE [CCT TST]]\n";
        return 2;
    }
    stk::CatalogueWindow window;
    stk::TradTable trad;
    if (args.size() >= 4) {
        std::ifstream in(args[2].toStdString(), std::ios::binary);
        if (!in)
            QTextStream(stderr) << "cannot read " << args[2] << "\n";
        stk::parse_records(std::string(std::istreambuf_iterator<char>(in), {}), trad.rows);
        window.retranslate(trad, args[3].toULong());
    }
    window.setCompanyParameters(args.size() >= 6 ? args[4] : QStringLiteral("50"),
                                args.size() >= 6 ? args[5] : QStringLiteral("2"));
    window.openLocation(args[1]);
    QObject::connect(&window, &stk::CatalogueWindow::articleChosen, [](const QString& ref, const QStringList& p) {
        QTextStream(stdout) << ref << '\t' << p.join('\t') << Qt::endl;
    });
    window.show();
    return app.exec();
}
