#pragma once

#include <QByteArray>
#include <QtGlobal>

// While it lives, no print server answers: the system has no default printer
// and no test can reach a real one. The variable it changes is put back as it
// was when it goes.
class NoPrintServer
{
public:
    NoPrintServer() : hadServer_(qEnvironmentVariableIsSet(Variable)), server_(qgetenv(Variable))
    {
        qputenv(Variable, QByteArray("/nonexistent/vantorel-no-print-server.sock"));
    }
    ~NoPrintServer()
    {
        if (hadServer_)
            qputenv(Variable, server_);
        else
            qunsetenv(Variable);
    }
    NoPrintServer(const NoPrintServer &) = delete;
    NoPrintServer &operator=(const NoPrintServer &) = delete;

private:
    static constexpr const char *Variable = "CUPS_SERVER";
    bool hadServer_;
    QByteArray server_;
};
