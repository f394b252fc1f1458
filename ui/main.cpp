#include "store/app_folder.h"
#include "ui/da_stk_secu.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const auto exe_dir = QApplication::applicationDirPath().toStdString();
    stk::da_stk_secu window(stk::app_folder(exe_dir, stk::UserDirs::from_environment(), std::cerr));
    window.show();
    return app.exec();
}
