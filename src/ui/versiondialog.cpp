#include "ui/versiondialog.h"

#include "model/fixedtexts.h"
#include "ui/twips.h"
#include "ui/version.h"

#include <QLabel>
#include <QPushButton>

namespace n35
{

VersionDialog::VersionDialog(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    setWindowTitle(FixedText::VersionWindowCaption());
    setFixedSize(twips(4200), twips(2400));

    auto *version = new QLabel(FixedText::VersionLabel() + QLatin1String(ProgramVersion), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    version->setGeometry(twips(240), twips(300), twips(3720), twips(360));

    auto *date = new QLabel(QLatin1String(ProgramVersionDate), this);
    date->setObjectName(QStringLiteral("lblDate"));
    date->setAlignment(Qt::AlignCenter);
    date->setGeometry(twips(240), twips(780), twips(3720), twips(360));

    auto *ok = new QPushButton(FixedText::Ok(), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setGeometry(twips(1500), twips(1500), twips(1200), twips(450));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (owner)
        move(owner->window()->pos() + QPoint(twips(2000), twips(1000)));
}

} // namespace n35
