#pragma once

#include <QDialog>

namespace n35
{

// "Version Infomation": the program version and its date.
class VersionDialog : public QDialog
{
    Q_OBJECT
public:
    // Placed relative to owner's top-left corner.
    explicit VersionDialog(QWidget *owner);
};

} // namespace n35
