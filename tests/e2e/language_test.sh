#!/usr/bin/env bash
# The program's language, seen from outside: Options and the Auto-shutdown
# dialog in English on an English Windows and in Chinese on a Chinese one,
# the Language key over either, and English chosen in Options for the
# dialogs opened after it and the settings file. (Wine keeps a menu's items
# in its own process, out of another's reach: tray_test reads the menu.)
. "$(dirname "$0")/lib.sh"

WM_COMMAND=273
INI=$E2E_DIR/app/Brisvane.ini

OPTIONS_EN="Options: OK|Cancel|Refresh every:|5|Opacity:|Ride on the active window's caption (top right)|seconds"
OPTIONS_EN+="|Ignore windows that draw their own caption, such as chat windows (takes effect after a restart)"
OPTIONS_EN+="|Start with Windows|240|Bar shows:|Percentage|Remind me below|20|%|Remind me when charged to|80|%|Language:"
OPTIONS_ZH="选项: 确定|取消|更新频率：|5|不透明度：|依附到当前窗口的标题栏（右上角）|秒"
OPTIONS_ZH+="|忽略自绘窗口（如QQ聊天窗口）（重启程序生效）|开机自动运行|240|条上显示：|百分比|电量低于|20|% 时提醒|充电到|80"
OPTIONS_ZH+="|% 时提醒|语言："
SHUTDOWN_EN="Auto-shutdown: OK|Cancel|After:|0|30|Shut down the computer|At:|hours|min|Action:|Shut down|Close other programs without asking (unsaved work is lost)"
SHUTDOWN_ZH="自动关机: 确定|取消|一段时间后：|0|30|自动关机|于此时：|小时|分|操作：|关机|强制关闭其他程序（未保存的内容会丢失）"

# "TITLE: TEXTS" of the dialog a menu command opens, which is then
# cancelled; Options without the language list's row, which varies.
dialog_texts() {  # dialog_texts COMMAND
    local out
    driver post $WM_COMMAND "$1" 0
    out=$(driver dialogtexts 10000)
    driver dialogcancel >/dev/null || fail "the dialog of command $1 stays open"
    out="$(value title "$out"): $(value texts "$out")"
    [ "$1" = 32774 ] && out=${out%|*}
    echo "$out"
}

# check_language NAME LOCALE LANGUAGE_KEY en|zh: the program started on that
# Windows with that key shows Options and Auto-shutdown so.
check_language() {
    local name=$1 want=$4
    BAR_LOCALE=$2
    printf '[Brisvane]\r\nAdhere=0\r\nLanguage=%s\r\n' "$3" >"$INI"
    start_bar
    local options=OPTIONS_${want^^} shutdown=SHUTDOWN_${want^^}
    check_eq "$name: Options" "${!options}" "$(dialog_texts 32774)"
    check_eq "$name: Auto-shutdown" "${!shutdown}" "$(dialog_texts 32777)"
    driver close
    wait_bar_exit
}


fake_battery 57 0 Discharging
check_language "English Windows" en_US.UTF-8 "" en
check_language "Chinese Windows" zh_CN.UTF-8 "" zh
check_language "Language=en-US on a Chinese Windows" zh_CN.UTF-8 en-US en
check_language "Language=zh-CN on an English Windows" en_US.UTF-8 zh-CN zh
check_language "Language=klingon: as Windows" zh_CN.UTF-8 klingon zh

# English chosen in Options on a Chinese Windows: the dialog opened next is
# English, and the choice is kept.
BAR_LOCALE=zh_CN.UTF-8
printf '[Brisvane]\r\nAdhere=0\r\n' >"$INI"
start_bar
driver post $WM_COMMAND 32774 0
driver options 10000 >/dev/null
driver options-select 2 1023
driver dialogcmd 选项 1
driver options-gone 10000 >/dev/null
check_eq "Auto-shutdown after English was chosen" "$SHUTDOWN_EN" "$(dialog_texts 32777)"
driver close
wait_bar_exit
check_eq "Language kept" "Language=en-US" "$(grep '^Language=' "$INI" | tr -d '\r')"
echo "PASS"
