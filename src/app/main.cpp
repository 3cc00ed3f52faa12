#include "CommandLine.h"
#include "EditorApplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = CommandLine::answerWithoutDisplay(argc, argv))
        return *status;
    EditorApplication::prepareMemory();
    QApplication app(argc, argv);
    EditorApplication::configure();
    const CommandLine::Outcome line = CommandLine::read(QCoreApplication::arguments());
    if (!line.starts)
        return CommandLine::answer(line);
    // The program folder is the executable's own, links resolved: started
    // through a link in a bin folder, the editor still works in its install.
    EditorApplication editor(QCoreApplication::applicationDirPath());
    if (!editor.start(line.file))
        return 1;
    return editor.run();
}
