// The pictures' and the chart's names in every language, the analysis button's face, the
// pictures' size and the flasher's timer.
#include "window_helpers.h"

#include <QFile>
#include <QPushButton>
#include <QTimer>

namespace stk::test {
namespace {

// A flag, and the name and tooltip then given to the clear picture, the quit picture and the chart.
struct Names {
    const char* name;
    int flag;
    const char *clear, *quit, *chart;
};

class PictureNames : public ::testing::TestWithParam<Names> {};

TEST_P(PictureNames, FollowTheLanguage)
{
    const Names& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(STK_DATA_DIR "/trad_stk_secu.txt", dir.filePath("trad_stk_secu.txt")));
    std::ostringstream diag;
    MainWindow shipped(dir.path().toStdString(), diag);
    click(shipped, "ln", c.flag);
    for (const auto& [control, text] : {std::pair{"Picture2", c.clear}, std::pair{"validation", c.quit}}) {
        EXPECT_EQ(shipped.control(control)->toolTip(), text);
        EXPECT_EQ(shipped.control(control)->accessibleName(), text);
    }
    EXPECT_EQ(shipped.control("g")->accessibleName(), c.chart);
    EXPECT_EQ(shipped.control("ln", 0)->accessibleName(), "Français");
    EXPECT_EQ(diag.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PictureNames,
    ::testing::Values(Names{"French", 0, "Effacer tout", "Quitter", "Graphique des coûts par stock de sécurité"},
                      Names{"English", 1, "Clear All", "Quit", "Chart of Costs by Safety Stock"},
                      Names{"Portuguese", 2, "Limpar tudo", "Sair", "Gráfico dos custos por estoque de segurança"}),
    case_name);

TEST_F(Window, AnalysisButtonFaceIsAGradient)
{
    w.show();
    const QImage face = w.control("Command4")->grab().toImage();
    const QColor top = face.pixelColor(face.width() / 4, 2),
                 bottom = face.pixelColor(face.width() / 4, face.height() - 3);
    EXPECT_GT(top.lightness(), bottom.lightness());
    EXPECT_NEAR(top.red(), 0xFF, 2);
    EXPECT_NEAR(top.blue(), 0xFA, 8);
    EXPECT_NEAR(bottom.green(), 0xE5, 8);
    EXPECT_NEAR(bottom.blue(), 0xD0, 8);
}

TEST_F(Window, SmallPicturesAreTwentyFourPixelsAndTheFlasherIsPrecise)
{
    for (const char* name : {"Command1", "Command2", "Command3"})
        EXPECT_EQ(qobject_cast<QPushButton*>(w.control(name))->iconSize(), QSize(24, 24)) << name;
    EXPECT_EQ(w.timer()->timerType(), Qt::PreciseTimer);
}

}  // namespace
}  // namespace stk::test
