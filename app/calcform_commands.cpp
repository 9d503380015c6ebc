// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The commands of the toolbar and the tray menu. The window makes the toolbar's buttons and the
// menu's items from this table alone, and checks their names, their order and their Tab order
// against it: a command is a row here and its handler.

#include "app/calcform.h"

namespace tallimo {

const std::vector<ToolbarCommand> &TCalcForm::ToolbarCommands()
{
    static const std::vector<ToolbarCommand> rows = {
        TrayItem("N1", "显示计算器(&S)", &TCalcForm::N1Click).Checkable(&TCalcForm::N1),
        // Hiding to the tray has no button: the window takes the key itself.
        TrayItem("N2", "隐藏计算器(&H)", &TCalcForm::N2Click)
            .Checkable(&TCalcForm::N2)
            .Key("Ctrl+H"),
        // The two lettered buttons are announced by their hints' first words.
        Button("SpeedButton7", "清空(按Alt+C 快速清空)", &TCalcForm::SpeedButton7Click)
            .Caption("&C")
            .SpokenName("清空"),
        Button("sb_copyresult", "复制结果 (Alt+O快速复制结果)", &TCalcForm::sb_copyresultClick)
            .Caption("&O")
            .SpokenName("复制结果"),
        Button("SpeedButton1", "粘贴", &TCalcForm::SpeedButton1Click).Image("paste"),
        Button("SpeedButton6", "存档", &TCalcForm::SpeedButton6Click).Image("save").Key("Ctrl+S"),
        Button("SpeedButton47", "导入文件", &TCalcForm::SpeedButton47Click)
            .Image("import")
            .Key("Ctrl+O"),
        Button("SpeedButton43", "万年历", &TCalcForm::SpeedButton43Click)
            .Image("calendar")
            .Key("Ctrl+L"),
        Button("SpeedButton44", "小工具", &TCalcForm::SpeedButton44Click)
            .Image("tools")
            .Key("Ctrl+T")
            .InTray("N4", "实用小工具(&T)"),
        Button("SpeedButton42", "主页", &TCalcForm::SpeedButton42Click).Image("home"),
        Button("ToolButton6", "声音关或开", &TCalcForm::ToolButton6Click)
            .Image("voice-on")
            .Switch(&TCalcForm::ToolButton6),
        Button("SpeedButton46", "帮助", &TCalcForm::SpeedButton46Click).Image("help").Key("F1"),
        Button("SpeedButton48", "隐藏或显示", &TCalcForm::SpeedButton48Click).Image("side-panel"),
        Button("SpeedButton45", "退出", &TCalcForm::SpeedButton45Click)
            .Image("exit")
            .Key("Ctrl+Q")
            .InTray("N3", "退出(&C)"),
    };
    return rows;
}

}  // namespace tallimo
