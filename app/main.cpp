// tallimo: the calculator window.

#include <QApplication>
#include <QTimer>

#include "app/voice/backgroundclipplayer.h"
#include "appsetup.h"
#include "calcform.h"
#include "common/programinfo.h"
#include "desktopseams.h"
#include "endsignals.h"
#include "formstyle.h"
#include "singleinstance.h"

using namespace tallimo;

namespace {

int RunWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    // A start while the program already runs for the user shows that program's window instead.
    SingleInstance instance(SingleInstance::DefaultSocketPath());
    if (!instance.Claim())
        return 0;
    SetUpApplication();
    const ProgramSeams seams = DesktopSeams();
    TCalcForm CalcForm(seams);
    QObject::connect(&instance, &SingleInstance::showRequested, &CalcForm,
                     &TCalcForm::BringToFront);
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::received, &CalcForm, &TCalcForm::EndBySignal);
    CalcForm.show();
    // Made right after the main window shows, the tools window costs the first paint nothing. Its
    // shortcuts open their pages in the program's web page window.
    QTimer::singleShot(0, &CalcForm, [&CalcForm] {
        CalcForm.CreateToolsWindow(
            [&CalcForm](const QUrl &address) { CalcForm.WebPages().OpenShortcut(address); });
    });
    // Drawing the icon for the title bar waits until the window is on screen.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(ApplicationIcon()); });
    return app.exec();
}

}  // namespace

int main(int argc, char *argv[]) { return EndOfProgram(RunWindow(argc, argv)); }
