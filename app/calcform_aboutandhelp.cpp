// The about and help windows, each made on its first showing and kept, hidden, afterwards.

#include "calcform.h"
#include "windows/about.h"
#include "windows/calchelp.h"

namespace tallimo {

void TCalcForm::SpeedButton42Click()
{
    if (!f_about)
        f_about = new Tf_about(seams_, this);
    f_about->exec();
}

void TCalcForm::SpeedButton46Click()
{
    if (!f_calchelp)
        f_calchelp = new Tf_calchelp(this);
    f_calchelp->exec();
}

}  // namespace tallimo
