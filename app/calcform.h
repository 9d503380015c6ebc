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
#include <vector>

#include "app/keypadkey.h"
#include "app/settingspage.h"
#include "app/sheetmemo.h"
#include "app/toolbarcommand.h"
#include "app/voice/readout.h"
#include "common/clipplayer.h"
#include "common/keptsheet.h"
#include "common/programseams.h"
#include "common/waiter.h"
#include "engine/lineevaluation.h"
#include "engine/regional.h"
#include "engine/scanner.h"
#include "windows/ownedwindow.h"
#include "windows/webpageopener.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSessionManager;
class QSystemTrayIcon;
class QTimer;
class QToolButton;

namespace tallimo {

struct ResultBarTexts;
class Tf_about;
class Tf_calchelp;
class Tf_tools;

class TCalcForm : public QWidget, private SettingsPage::Window {
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
    QStringList ControlNames() const;

    // The commands of the toolbar and the tray menu in their order on the bar and in the menu
    // (calcform_commands.cpp), and the keypad's keys row by row (calcform_keypad.cpp): the window
    // makes these controls from the tables alone.
    static const std::vector<ToolbarCommand> &ToolbarCommands();
    static const std::vector<KeypadKey> &KeypadKeys();
    // The names of the controls made from those tables: the toolbar's buttons, the tray menu's
    // items and the keys.
    static QStringList TableControlNames();

    // The settings the sheet and the voice read, as the settings page holds them now; they are
    // there from the start, before the page itself is made.
    int Decimals() const { return settingsPage_.Values().decimals; }
    bool MoneyMode() const { return settingsPage_.Values().money; }
    bool VoiceOn() const { return settingsPage_.Values().voice; }
    bool FastReading() const { return settingsPage_.Values().fastReading; }
    int SpeechRate() const { return settingsPage_.Values().rate; }

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
    using Handler = FormHandler;

    // Layout (calcform_layout.cpp, calcform_keypad.cpp).
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
    void OnClick(QToolButton *button, std::function<void()> action) override;
    QWidget *CreateToolbarPanel();
    QWidget *CreateSidePanel();
    QWidget *CreateResultBar();
    void CreateSheet();
    void CreateInvisibleControls();
    void CreateKeypadPage();
    // Makes the settings page, once; the page is not in the first paint.
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

    // The settings page, and the looks its settings change in the window (calcform_settings.cpp).
    // Writes the settings file, reporting a failure as asked; whether it was written.
    bool SaveSettings(FailureReport report = FailureReport::MessageBox);
    QPoint Position() const override;
    void MoveOnAScreen(const QPoint &saved) override;
    bool SidePanelShown() const override;
    void ShowSidePanel(bool shown) override;
    QColor BackColour() const override;
    void SetBackColour(const QColor &colour) override;
    QColor SheetColour(QPalette::ColorRole role) const override;
    void SetSheetColour(QPalette::ColorRole role, const QColor &colour) override;
    void SetSheetFontSize(int points) override;
    void SetStayOnTop(bool on) override;
    void ShowSheetScrollBars(bool on) override;
    void ShowDateLine(bool on) override;
    void Timer2Timer();

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
    void SetUpKeptSheet();
    void RestoreKeptSheet();
    void SheetChanged();
    void SaveKeptSheetLater();
    void KeptSheetSaved(const std::optional<QString> &failure);
    // Writes the sheet now when it changed since the last save that landed; a failure is shown
    // unless `mayShowFailure` is false. Whether nothing failed.
    bool SaveKeptSheetNow(bool mayShowFailure);
    void KeepSheetChanged(bool on) override;
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
    void ShowVoiceSwitch(bool on) override;
    void ToolButton6Click();
    void PlayClip(const QString &name);
    void ReadResult(const ResultBarTexts &texts);
    void StartVoice();
    void StopVoice();
    std::unique_ptr<Waiter> waiter_;
    std::unique_ptr<ClipPlayer> player_;
    std::unique_ptr<ReadOut> readOut_;

    ProgramSeams seams_;
    // The settings page and the settings it holds, which exist from the start; it uses seams_.
    SettingsPage settingsPage_{*this, seams_};
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
    QToolButton *ToolButton6 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
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
    QTimer *Timer2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QSystemTrayIcon *trayIcon_ = nullptr;
};

}  // namespace tallimo
