#pragma once

#include "Programs.h"

class QtPrograms : public Programs
{
public:
    QString findExecutable(const QString &name) const override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       QString *error) override;
};
