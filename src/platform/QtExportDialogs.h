#pragma once

#include "ExportDialogs.h"

#include <QPointer>
#include <QWidget>

// The scale as a number box and the file in Qt's save dialog, modal over the
// parent window.
class QtExportDialogs : public ExportDialogs
{
public:
    void setParentWindow(QWidget *parent) { parent_ = parent; }

    int chooseScale(int proposed, int maximum) override;
    QString saveFileName(const QString &title, const QString &proposedPath,
                         const QString &filter) override;

private:
    QPointer<QWidget> parent_;
};
