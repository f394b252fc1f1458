#include "store/app_folder.h"
#include "ui/main_window.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const auto exe_dir = QApplication::applicationDirPath().toStdString();
    stk::MainWindow window(stk::app_folder(exe_dir, stk::UserDirs::from_environment(), std::cerr));
    window.show();
    return app.exec();
}
