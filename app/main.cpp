// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// tallimo: the calculator window.

#include <QApplication>

#include <cstdlib>

#include "app/appsetup.h"
#include "app/calcform.h"
#include "app/commandline.h"
#include "app/desktopseams.h"
#include "app/endsignals.h"
#include "app/singleinstance.h"
#include "app/voice/backgroundclipplayer.h"
#include "common/programinfo.h"

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
    const int status = app.exec();
    return status != EXIT_SUCCESS ? status : CalcForm.ExitStatus();
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = EndAtCommandLine(argc, argv))
        return *status;
    return EndOfProgram(RunWindow(argc, argv));
}
