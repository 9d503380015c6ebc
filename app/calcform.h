// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window: toolbar on top, the sheet in the centre, the side panel with its keypad and
// settings pages on the right, the result bar at the bottom, and the icon in the notification
// area. Every control carries its form name as its object name, given where the control is made
// from the one table of its group; the window checks at start that each name is there once. All
// ways out of the program (the exit button, the tray menu, the close box, a signal to end, the
// application quitting) meet in one exit procedure that runs once.

#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/settingscolour.h"
#include "app/sheetmemo.h"
#include "app/voice/readout.h"
#include "common/calcformsettings.h"
#include "common/clipplayer.h"
#include "common/keptsheet.h"
#include "common/programseams.h"
#include "common/waiter.h"
#include "engine/lineevaluation.h"
#include "engine/regional.h"
#include "engine/scanner.h"
#include "windows/webpageopener.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSessionManager;
class QSpinBox;
class QSystemTrayIcon;
class QTimer;
class QToolButton;

namespace tallimo {

struct ResultBarTexts;
class Tf_about;
class Tf_calchelp;
class Tf_tools;

class TCalcForm : public QWidget {
    Q_OBJECT

public:
    explicit TCalcForm(const ProgramSeams &seams, QWidget *parent = nullptr);
    ~TCalcForm() override;

    // The exit procedure: frees the token list, saves the kept sheet and the settings, removes the
    // tray icon and quits. Only the first call does anything.
    void SpeedButton45Click();
    // The same when a signal ends the program: nobody may be there to answer a message, so a
    // failed save is reported on the standard error stream.
    void EndBySignal();
    // What the program ends with: a failure when a save at its end failed and was reported on
    // the standard error stream only.
    int ExitStatus() const;

    // Shows the window, restored from the notification area or from a minimised state, on top
    // and active: a later start of the program asks for it.
    void BringToFront();

    // The names the window's tables gave its controls, in the order they were made.
    const QStringList &ControlNames() const { return controlNames_; }

    // The settings the sheet and the voice read, as the settings page holds them now; they are
    // there from the start, before the page itself is made.
    int Decimals() const;
    bool MoneyMode() const;
    bool VoiceOn() const;
    bool FastReading() const;
    int SpeechRate() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Tab and Shift+Tab run from the sheet through the page buttons, the page shown, the result
    // boxes and the toolbar, back to the sheet.
    bool focusNextPrevChild(bool next) override;

private:
    // A click handler of a control named in a table.
    using Handler = void (TCalcForm::*)();

    // Layout (calcform_layout.cpp, calcform_settingspage.cpp, calcform_keypad.cpp).
    template <typename Control>
    Control *Named(Control *control, const char *name)
    {
        control->setObjectName(QLatin1String(name));
        controlNames_ << control->objectName();
        return control;
    }
    void CreateControls();
    // Runs the action on the button's click; a click that reaches the window while a modal
    // window blocks it (an assistive tool's press) goes unanswered, as the mouse's does.
    void OnClick(QToolButton *button, std::function<void()> action);
    QWidget *CreateToolbarPanel();
    QWidget *CreateSidePanel();
    QWidget *CreateResultBar();
    void CreateSheet();
    void CreateInvisibleControls();
    void CreateKeypadPage();
    // Makes the settings page from pageSettings_, once; the page is not in the first paint.
    void CreateSettingsPage();
    void CreateTrayMenu();

    // Start-up, tray, page switch and side panel (calcform.cpp).
    void FormCreate();
    void FormShow();
    void CheckControlNames() const;
    // How a failed save of the settings is reported: in a modal box, or, where the end comes
    // without anyone to answer one, on the standard error stream.
    enum class FailureReport { MessageBox, StandardError };
    void ExitProcedure(bool save, FailureReport report = FailureReport::MessageBox);
    bool unseenExitFailure_ = false;
    // Log-off: the kept sheet and the settings are saved while the session manager waits; the
    // quit that follows ends the program without saving them again.
    void SaveSessionSettings(QSessionManager &manager);
    void ApplicationQuits();
    void N1Click();
    void N2Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void SpeedButton48Click();
    void ShowPage(bool keypad);
    // Shows the tools window, not modally; the tray item N4 does the same.
    void SpeedButton44Click();

    // The settings file and the settings page (calcform_settingsfile.cpp,
    // calcform_settingshandlers.cpp).
    struct NumberRange {
        int minimum;
        int maximum;
    };
    static constexpr NumberRange FontSizeRange{8, 80};
    static constexpr NumberRange DecimalsRange{0, 15};
    static constexpr NumberRange RateRange{270, 380};
    // What the settings page shows, from the form defaults and then the settings file. The page
    // is filled from here when it is made, and its controls write their changes back.
    struct PageSettings {
        int fontSize = 0;
        int decimals = 0;
        int rate = 0;
        bool onTop = false;
        bool voice = false;
        bool fastReading = false;
        // Follows the voice once the file or the user sets it; off at a first start.
        bool fastReadingEnabled = false;
        bool money = false;
        bool showDate = false;
        bool scrollBars = false;
        bool keepSheet = false;
    };
    // What the page shows for the settings of the section, numbers brought into their ranges.
    static PageSettings PageSettingsOf(const CalcFormSettings &settings);
    PageSettings pageSettings_ = PageSettingsOf(FormDefaults());
    void LoadSettings();
    // Writes the settings file, reporting a failure as asked; whether it was written.
    bool SaveSettings(FailureReport report = FailureReport::MessageBox);
    void WriteNumberBack(int number);
    // The decimals read at start, written back to the file once the window shows.
    std::optional<int> numberToWriteBack_;
    void SpeedButton35Click();
    void SpeedButton37Click();
    void SpeedButton36Click();
    void SpinEdit2Change();
    void CheckBox1Click();
    void CheckBox3Click();
    void CheckBox6Click();
    QColor ChosenColour(const QColor &start);
    QColor BackColour() const;
    void SetBackColour(const QColor &colour);
    QColor SheetColour(QPalette::ColorRole role) const;
    void SetSheetColour(QPalette::ColorRole role, const QColor &colour);
    int SheetFontSize() const;
    void SetSheetFontSize(int points);
    void SetStayOnTop(bool on);
    void ShowSheetScrollBars(bool on);
    void ShowDateLine(bool on);
    void Timer2Timer();
    // The colours read from the file, with what their controls showed then.
    std::optional<KeptColour> keptBackColour_;
    std::optional<KeptColour> keptSheetColour_;
    std::optional<KeptColour> keptFontColour_;

    // The sheet: key and mouse handling, line evaluation and the caret label
    // (calcform_sheet.cpp).
    void ConnectSheet();
    void Memo1KeyDown();
    void Memo1KeyActed();
    void Memo1CaretMoved();
    void Memo1MouseDown();
    int CaretPosition() const;
    void ShowCaretLabel();
    QChar Memo1KeyPress(QChar key);
    void EvaluateCurrentLine();
    void ShowResult(const LineEvaluation &outcome);
    void LocateCaret();
    // The line of the caret when the last key went down, the sheet was clicked or a result
    // was written, and the caret's column then.
    int currentLine_ = 0;
    // While a key acts in the sheet, the caret's moves are its own.
    bool keyActing_ = false;
    bool evaluatedDuringKey_ = false;
    // Where Enter left the caret after evaluating: the current line stays the evaluated one while
    // the caret stands there.
    std::optional<int> heldCaretPosition_;
    RegionalSettings regional_;

    // Keypad and editing: the keypad's insertions, backspace, clear, copy result and paste, each
    // one undoable step of the sheet, and the operator replacement (calcform_keypad.cpp).
    void insertpos(const QString &text);
    void PlainInsert(const QString &text);
    void ReplaceTypedOperator(QChar key);
    void SpeedButton19Click();
    void SpeedButton34Click();
    void SpeedButton7Click();
    void sb_copyresultClick();
    void SpeedButton1Click();
    void Memo1MouseMove();

    // The sheet kept across runs (calcform_keptsheet.cpp): restored once the sheet has been
    // painted, saved on the writer's thread at most 2 s after the first unsaved change, and at
    // every exit.
    void LoadKeptSheetOption();
    void WatchForFirstPaint();
    void RestoreKeptSheet();
    void SheetChanged();
    void SaveKeptSheetLater();
    void KeptSheetSaved(const std::optional<QString> &failure);
    // Writes the sheet now when it changed since the last save that landed; a failure is shown
    // unless `mayShowFailure` is false. Whether nothing failed.
    bool SaveKeptSheetNow(bool mayShowFailure);
    void CheckBox7Click();
    // Whether saves go to the kept file: the option is on, and the file found at start, if any,
    // could be read (one that could not is left as it is for the whole run).
    bool KeepingSheet() const;
    QString KeptSheetPath() const;
    KeptSheetWriter keptSheetWriter_;
    QTimer *keptSheetDue_ = nullptr;
    bool sheetChanged_ = false;
    bool keptSheetSaveFailed_ = false;
    bool keptFileLeftAlone_ = false;
    bool restorePending_ = false;

    // Saving and importing the sheet (calcform_sheetfiles.cpp).
    void SpeedButton6Click();
    void SpeedButton47Click();
    // A file's text for the sheet, or why the sheet cannot take it.
    struct ImportRead {
        QString text;
        std::optional<QString> failure;
    };
    ImportRead ReadForImport(const QString &path);
    // Replaces the sheet's text in steps of lines; false when the program exits on the way.
    bool ReplaceSheetInSteps(const QString &text);

    QString ChooseFileToWrite(const QString &filter, const QString &suffix);

    // The sheet on paper: printing, the PDF export and the sheet's context menu that offers them
    // (calcform_paper.cpp).
    void CreatePaperCommands();
    void ShowSheetMenu(const QPoint &position);
    void PrintClick();
    void ExportPdfClick();
    PaperSheet SheetOnPaper() const;
    QAction *printCommand_ = nullptr;
    QAction *exportPdfCommand_ = nullptr;

    // The about and help windows (calcform_aboutandhelp.cpp).
    void SpeedButton42Click();
    void SpeedButton46Click();

    // The calendar command (calcform_calendar.cpp); the web page window is made on first use.
    void SpeedButton43Click();

    // Voice: the clips, the read-out of a result and the voice switch (calcform_voice.cpp).
    void CheckBox2Click();
    void ToolButton6Click();
    void PlayClip(const QString &name);
    void ReadResult(const ResultBarTexts &texts);
    // Makes the player right after the window is drawn, where the voice is on.
    void PrepareVoice();
    void StartVoice();
    void StopVoice();
    std::unique_ptr<Waiter> waiter_;
    std::unique_ptr<ClipPlayer> player_;
    std::unique_ptr<ReadOut> readOut_;

    ProgramSeams seams_;
    // The secondary windows, each made on its first use (the tools window right after the first
    // paint) and owned here. They use seams_, so they come after it.
    OwnedWindow<Tf_tools> f_tools;
    OwnedWindow<Tf_about> f_about;
    OwnedWindow<Tf_calchelp> f_calchelp;
    // The web page window, shared by the calendar command and the tools window's shortcuts.
    WebPageOpener webPages_;
    // The tokens of the expression last scanned; exists from the first show to the exit.
    std::unique_ptr<TokenList> tokens_;
    bool exited_ = false;
    bool savedForSession_ = false;
    QStringList controlNames_;

    QWidget *Panel1 = nullptr;
    QWidget *Panel3 = nullptr;
    QWidget *Panel4 = nullptr;
    QWidget *Panel7 = nullptr;
    QWidget *ToolBar1 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QToolButton *sb_copyresult = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *SpeedButton47 = nullptr;
    QToolButton *SpeedButton43 = nullptr;
    QToolButton *SpeedButton44 = nullptr;
    QToolButton *SpeedButton42 = nullptr;
    QToolButton *ToolButton6 = nullptr;
    QToolButton *SpeedButton46 = nullptr;
    QToolButton *SpeedButton48 = nullptr;
    QToolButton *SpeedButton45 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *SpeedButton19 = nullptr;
    QToolButton *SpeedButton34 = nullptr;
    QToolButton *SpeedButton35 = nullptr;
    QToolButton *SpeedButton37 = nullptr;
    QToolButton *SpeedButton36 = nullptr;
    QButtonGroup *pageButtons_ = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    SheetMemo *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QLineEdit *edt_copy = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QSpinBox *SpinEdit2 = nullptr;
    QSpinBox *SpinEdit3 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QCheckBox *CheckBox7 = nullptr;
    QTimer *Timer2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N3 = nullptr;
    QAction *N4 = nullptr;
    QSystemTrayIcon *trayIcon_ = nullptr;
};

}  // namespace tallimo
