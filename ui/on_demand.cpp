#include "ui/on_demand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace stk::ui {
namespace {

OnDemandCommands*& provided()
{
    static OnDemandCommands* commands = nullptr;
    return commands;
}

}  // namespace

QString on_demand_library_file()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral(STK_ON_DEMAND_FILE);
    const QString beside = program.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral(STK_ON_DEMAND_INSTALLED_DIR) + u'/' + name));
}

OnDemandCommands* load_on_demand(const QString& file, QString& why)
{
    QLibrary library(file);
    // Its windows and the objects it made live as long as the program.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry = reinterpret_cast<OnDemandEntry>(library.resolve(on_demand_entry));
    OnDemandCommands* commands = entry ? entry() : nullptr;
    if (!commands)
        why = library.errorString();
    return commands;
}

OnDemandCommands* on_demand(QString& why)
{
    if (!provided())
        provided() = load_on_demand(on_demand_library_file(), why);
    return provided();
}

void provide_on_demand(OnDemandCommands* commands) { provided() = commands; }

}  // namespace stk::ui
