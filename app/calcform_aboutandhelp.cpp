// The about and help windows, each made on its first showing and kept, hidden, afterwards.

#include "calcform.h"
#include "windows/about.h"
#include "windows/calchelp.h"
#include "windows/modalwindow.h"

namespace tallimo {

void TCalcForm::SpeedButton42Click()
{
    if (!f_about)
        f_about = new Tf_about(seams_, this);
    ExecAboveBlockedWindows(*f_about);
}

void TCalcForm::SpeedButton46Click()
{
    if (!f_calchelp)
        f_calchelp = new Tf_calchelp(this);
    ExecAboveBlockedWindows(*f_calchelp);
}

}  // namespace tallimo
