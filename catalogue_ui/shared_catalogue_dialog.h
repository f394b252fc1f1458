// "Shared catalogue…": the PostgreSQL server the catalogue lives on (host,
// port, database, user, whether TLS is required), or the way back to the
// catalogue file of the program's folder. The settings are the user's own,
// kept in the user's configuration (QSettings); no password is ever kept:
// libpq reads it from the user's ~/.pgpass.
#pragma once

#include "catalogue_ui/caption_list.h"

#include <QDialog>
#include <QString>

#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace stk {

struct ServerSettings {
    std::string host;
    int port = 5432;
    std::string database;
    std::string user;
    bool require_tls = false;  // otherwise TLS when the server offers it

    // The libpq connection string ("host='…' port=… dbname='…' …"), values
    // quoted; no password.
    std::string connection() const;
};

// What the user chose last: the server's settings, and whether the catalogue
// is the shared one (the connection) or the file (empty).
struct CatalogueChoice {
    ServerSettings server;
    std::string location;
    static CatalogueChoice load();
    void save() const;
};

class SharedCatalogueDialog : public QDialog {
    Q_OBJECT

public:
    SharedCatalogueDialog(const ServerSettings& settings, const CaptionOf& translate, QWidget* parent = nullptr);

    ServerSettings settings() const;
    QPushButton* connectButton() const { return connect_; }
    QPushButton* localButton() const { return local_; }

signals:
    // The user asked for the catalogue at `location`: a connection string, or empty for the file.
    void locationChosen(const QString& location);

private:
    void updateConnectButton();

    QLineEdit* host_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* user_;
    QCheckBox* tls_;
    QPushButton* connect_;
    QPushButton* local_;
};

}  // namespace stk
