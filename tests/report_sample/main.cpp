// Writes the worked example's report as a PDF, to look at it:
//   report_sample LANGUAGE OUT.pdf [SEPARATOR]
// LANGUAGE 0 French, 1 English, 2 Portuguese; SEPARATOR "," by default.
#include "../report/report_helpers.h"
#include "report/report.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: report_sample LANGUAGE OUT.pdf [SEPARATOR]\n";
        return 2;
    }
    const stk::TradTable table = report_test::shipped_translations();
    const auto language = static_cast<std::size_t>(std::atoi(argv[1]));
    const stk::ReportData data{
        stk::report_content(report_test::worked_example(table, language, argc > 3 ? argv[3] : ",")), {}};
    std::string error;
    if (!stk::export_pdf(QString::fromLocal8Bit(argv[2]), data, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
