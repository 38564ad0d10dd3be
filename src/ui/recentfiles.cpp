#include "ui/recentfiles.h"

#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/version.h"

#include <QDir>
#include <QFileInfo>

namespace n35
{

RecentFilesMenu::RecentFilesMenu(Session &owner, QWidget *parent)
    : QMenu(QStringLiteral("Open Recent"), parent), session(owner)
{
    setObjectName(QStringLiteral("FileOpenRecent"));
    setAccessibleName(QStringLiteral("Open Recent"));
    menuAction()->setObjectName(QStringLiteral("FileOpenRecentMenu"));
    // The items stay; only their texts change, so none is deleted while it is being triggered.
    for (int i = 0; i < RecentFiles::Limit; ++i) {
        QAction *item = addAction(QString());
        item->setObjectName(QStringLiteral("FileRecent_%1").arg(i + 1));
        connect(item, &QAction::triggered, this,
                [this, item] { emit openRequested(item->data().toString()); });
        items << item;
    }
    none = addAction(QStringLiteral("No recent files"));
    none->setObjectName(QStringLiteral("FileRecentNone"));
    none->setEnabled(false);
    addSeparator();
    clearItem = addAction(QStringLiteral("Clear"));
    clearItem->setObjectName(QStringLiteral("FileRecentClear"));
    connect(clearItem, &QAction::triggered, &session, &Session::clearRecentFiles);
    connect(&session, &Session::recentFilesChanged, this, &RecentFilesMenu::refresh);
    // A file may have gone (or come back, on a drive plugged in again) since the menu was last shown.
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::refresh);
    refresh();
}

void RecentFilesMenu::refresh()
{
    const QStringList &paths = session.settings().recent.paths();
    for (int i = 0; i < items.size(); ++i) {
        QAction *item = items.at(i);
        item->setVisible(i < paths.size());
        if (i >= paths.size())
            continue;
        // "&1 radio.N35    /home/user/radios": the name to find it by, the folder to tell two apart.
        const QFileInfo info(paths.at(i));
        QString name = info.fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(
            QStringLiteral("&%1 %2\t%3").arg(i + 1).arg(name, QDir::toNativeSeparators(info.path())));
        item->setData(paths.at(i));
        item->setToolTip(QDir::toNativeSeparators(paths.at(i)));
        item->setEnabled(info.isFile());
    }
    none->setVisible(paths.isEmpty());
    clearItem->setEnabled(!paths.isEmpty());
}

QString WindowTitleFor(const QString &filePath)
{
    const QString program = FixedText::WindowCaption() + QLatin1String(ProgramVersion);
    if (filePath.isEmpty())
        return program + QStringLiteral("[*]");
    return QFileInfo(filePath).fileName() + QStringLiteral("[*] - ") + program;
}

} // namespace n35
