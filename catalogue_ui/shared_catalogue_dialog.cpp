#include "catalogue_ui/shared_catalogue_dialog.h"

#include "ui/text.h"

#include "catalogue/pg_engine.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace stk {

namespace {

constexpr std::string_view title_caption = "Catalogue partagé…";
constexpr std::string_view labels_caption =
    "Serveur|Port|Base de données|Utilisateur|Exiger le chiffrement (TLS)|Se connecter|Catalogue local|Annuler";
constexpr qsizetype label_count = 8;
constexpr std::string_view help_caption =
    "Le catalogue sur un serveur PostgreSQL, partagé par tous ceux qui s'y connectent. Le mot de passe n'est "
    "jamais enregistré par ce programme\u00a0: il est lu dans votre fichier ~/.pgpass "
    "(serveur:port:base:utilisateur:mot de passe, droits 0600). Le chiffrement est utilisé dès que le serveur "
    "le propose.";

QSettings user_settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("stk_secu"),
                     QStringLiteral("catalogue"));
}

}  // namespace

std::string ServerSettings::connection() const
{
    std::string out = "host=" + stk::db::conninfo_value(host) + " port=" + std::to_string(port);
    if (!database.empty())
        out += " dbname=" + stk::db::conninfo_value(database);
    if (!user.empty())
        out += " user=" + stk::db::conninfo_value(user);
    return out + (require_tls ? " sslmode=require" : " sslmode=prefer");
}

CatalogueChoice CatalogueChoice::load()
{
    QSettings s = user_settings();
    CatalogueChoice c;
    c.server.host = s.value(QStringLiteral("host")).toString().toStdString();
    c.server.port = s.value(QStringLiteral("port"), 5432).toInt();
    c.server.database = s.value(QStringLiteral("database")).toString().toStdString();
    c.server.user = s.value(QStringLiteral("user")).toString().toStdString();
    c.server.require_tls = s.value(QStringLiteral("require_tls"), false).toBool();
    c.location = s.value(QStringLiteral("location")).toString().toStdString();
    return c;
}

void CatalogueChoice::save() const
{
    QSettings s = user_settings();
    s.setValue(QStringLiteral("host"), ui::text_of(server.host));
    s.setValue(QStringLiteral("port"), server.port);
    s.setValue(QStringLiteral("database"), ui::text_of(server.database));
    s.setValue(QStringLiteral("user"), ui::text_of(server.user));
    s.setValue(QStringLiteral("require_tls"), server.require_tls);
    s.setValue(QStringLiteral("location"), ui::text_of(location));
}

SharedCatalogueDialog::SharedCatalogueDialog(const ServerSettings& settings, const CaptionOf& translate,
                                             QWidget* parent)
    : QDialog(parent), host_(new QLineEdit(ui::text_of(settings.host), this)), port_(new QSpinBox(this)),
      database_(new QLineEdit(ui::text_of(settings.database), this)),
      user_(new QLineEdit(ui::text_of(settings.user), this)), tls_(new QCheckBox(this)),
      connect_(new QPushButton(this)), local_(new QPushButton(this))
{
    const QStringList labels = caption_list(translate, labels_caption, label_count);
    setObjectName(QStringLiteral("shared_catalogue"));
    setWindowTitle(translate(title_caption));
    port_->setRange(1, 65535);
    port_->setValue(settings.port);
    tls_->setChecked(settings.require_tls);
    tls_->setText(labels[4]);
    auto* form = new QFormLayout;
    const auto field = [&](QWidget* w, const char* name, int label) {
        w->setObjectName(QString::fromLatin1(name));
        QString text = labels[label];
        form->addRow(text, w);
        w->setAccessibleName(text.remove(u'&'));
    };
    field(host_, "shared_host", 0);
    field(port_, "shared_port", 1);
    field(database_, "shared_database", 2);
    field(user_, "shared_user", 3);
    tls_->setObjectName(QStringLiteral("shared_require_tls"));
    tls_->setAccessibleName(labels[4]);
    form->addRow(QString(), tls_);

    auto* help = new QLabel(translate(help_caption), this);
    help->setWordWrap(true);
    help->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* cancel = new QPushButton(labels[7], this);
    connect_->setText(labels[5]);
    local_->setText(labels[6]);
    connect_->setObjectName(QStringLiteral("shared_connect"));
    local_->setObjectName(QStringLiteral("shared_local"));
    for (QPushButton* b : {connect_, local_, cancel})
        b->setAccessibleName(b->text());
    connect_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(local_);
    buttons->addStretch(1);
    buttons->addWidget(connect_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(host_, &QLineEdit::textChanged, this, &SharedCatalogueDialog::updateConnectButton);
    connect(connect_, &QPushButton::clicked, this, [this] {
        emit locationChosen(QString::fromStdString(this->settings().connection()));
        accept();
    });
    connect(local_, &QPushButton::clicked, this, [this] {
        emit locationChosen(QString());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateConnectButton();
    resize(520, sizeHint().height());
}

ServerSettings SharedCatalogueDialog::settings() const
{
    ServerSettings s;
    s.host = host_->text().trimmed().toStdString();
    s.port = port_->value();
    s.database = database_->text().trimmed().toStdString();
    s.user = user_->text().trimmed().toStdString();
    s.require_tls = tls_->isChecked();
    return s;
}

// A server is needed to connect.
void SharedCatalogueDialog::updateConnectButton() { connect_->setEnabled(!host_->text().trimmed().isEmpty()); }

}  // namespace stk
