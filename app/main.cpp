// tallimo: the calculator window.

#include <QApplication>
#include <QTimer>

#include "appsetup.h"
#include "calcform.h"
#include "desktopseams.h"
#include "endsignals.h"
#include "formstyle.h"

using namespace tallimo;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    const ProgramSeams seams = DesktopSeams();
    TCalcForm CalcForm(seams);
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::received, &CalcForm, &TCalcForm::SpeedButton45Click);
    CalcForm.show();
    // Drawing the icon for the title bar waits until the window is on screen.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(ApplicationIcon()); });
    return app.exec();
}
