#pragma once

#include "Dialogs.h"

#include <QPointer>
#include <QWidget>

// Message boxes and the text prompt as real Qt dialogs, modal over the
// parent window, with French button texts.
class QtDialogs : public Dialogs
{
public:
    void setParentWindow(QWidget *parent) { parent_ = parent; }

    Answer message(const Message &message) override;
    QString prompt(const QString &message, const QString &title,
                   const QString &defaultText) override;

private:
    QPointer<QWidget> parent_;
};
