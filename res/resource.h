// Resource and command identifiers of Brisvane. Kept by hand; the resource
// script and the code use only these names.
#pragma once

// Strings
#define IDS_APP_TITLE               103     // "Brisvane", the bar window's title
// Further user-visible texts, grouped by the part of the program that shows them.
#define IDS_TRAY_TIP                200     // "电量监视"
#define IDS_TRAY_CANCEL_SHUTDOWN    201     // "取消自动关机" (menu item while counting)
// The tip's lines below IDS_TRAY_TIP and the reminders; "%d"/"%s" are blanks
// the program fills (base/text_template.h), "%%" a percent sign.
#define IDS_TIP_PERCENT             202     // "电量 %d%%"
#define IDS_TIP_TIME_LEFT           203     // "，剩余 %s"
#define IDS_TIP_CHARGING            204     // "，充电中"
#define IDS_TIP_FULL_IN             205     // "，约 %s后充满"
#define IDS_TIP_ON_MAINS            206     // "，已接通电源"
#define IDS_TIP_NO_BATTERY          207     // "未检测到电池"
#define IDS_TIP_HOURS_MINUTES       208     // "%d小时%d分钟"
#define IDS_TIP_MINUTES             209     // "%d分钟"
#define IDS_TIP_DISCHARGE_POWER     210     // "放电功率 %s W"
#define IDS_TIP_CHARGE_POWER        211     // "充电功率 %s W"
#define IDS_ALERT_LOW_TITLE         212     // "电量低"
#define IDS_ALERT_LOW_TEXT          213     // "电量 %d%%，请接通电源。"
#define IDS_ALERT_HIGH_TITLE        214     // "充电提醒"
#define IDS_ALERT_HIGH_TEXT         215     // "电量已充到 %d%%，可以拔下电源了。"
// 220..239: options, 240..259: auto-shutdown
#define IDS_OPTIONS_BAR_PERCENT     220     // "百分比", the first choice of "条上显示"
#define IDS_OPTIONS_BAR_TIME        221     // "剩余时间"
#define IDS_LANGUAGE_AS_WINDOWS     222     // the Options' language list, in LanguageChoice's order
#define IDS_LANGUAGE_CHINESE        223
#define IDS_LANGUAGE_ENGLISH        224
#define IDS_SHUTDOWN_TITLE          240     // "自动关机", the dialog's and its warnings' caption
#define IDS_SHUTDOWN_BAD_HOURS      241
#define IDS_SHUTDOWN_BAD_MINUTES    242
#define IDS_SHUTDOWN_TOO_FAR        243     // a picked moment beyond a 32-bit count of minutes
#define IDS_SHUTDOWN_TIP_HOURS      244     // "%ld小时%d分钟后自动关机"
#define IDS_SHUTDOWN_TIP_MINUTES    245     // "%d分钟后自动关机"
#define IDS_SHUTDOWN_CANCEL_ASK     246     // "确定要取消自动关机吗？"
#define IDS_SHUTDOWN_CANCEL_TITLE   247     // "取消自动关机"
#define IDS_SHUTDOWN_CONFIRM_OK     248     // "确定(%ld)"
#define IDS_SHUTDOWN_AWAKE_REASON   249     // "自动关机倒计时", the power request's reason
#define IDS_SHUTDOWN_INCOMPLETE     250     // "自动关机未完成": the tip and the notification's title
#define IDS_SHUTDOWN_WHY_REFUSED    251     // a program refused to end
#define IDS_SHUTDOWN_WHY_USERS      252     // another user is signed in
#define IDS_SHUTDOWN_WHY_FAILED     253     // Windows did not take the request
#define IDS_SHUTDOWN_WHY_TIMEOUT    254     // still running a minute later
#define IDS_SHUTDOWN_WHY_SUSPEND    255     // the sleep or hibernation did not happen
// What the auto-shutdown does, in ShutdownAction's order: the dialog's list
// ("关机", "重启", "睡眠", "休眠"), then each action's own texts; the power-off's
// are those above.
#define IDS_ACTION_SHUTDOWN         260
#define IDS_ACTION_RESTART          261
#define IDS_ACTION_SLEEP            262
#define IDS_ACTION_HIBERNATE        263
#define IDS_RESTART_TIP_HOURS       264     // "%ld小时%d分钟后自动重启"
#define IDS_RESTART_TIP_MINUTES     265     // "%d分钟后自动重启"
#define IDS_SLEEP_TIP_HOURS         266
#define IDS_SLEEP_TIP_MINUTES       267
#define IDS_HIBERNATE_TIP_HOURS     268
#define IDS_HIBERNATE_TIP_MINUTES   269
#define IDS_SHUTDOWN_CONFIRM_TITLE  270     // "关机确认", the confirmation's caption
#define IDS_RESTART_CONFIRM_TITLE   271
#define IDS_SLEEP_CONFIRM_TITLE     272
#define IDS_HIBERNATE_CONFIRM_TITLE 273
#define IDS_SHUTDOWN_CONFIRM_TEXT   274     // "即将自动关机，确定要关闭计算机吗？"
#define IDS_RESTART_CONFIRM_TEXT    275
#define IDS_SLEEP_CONFIRM_TEXT      276
#define IDS_HIBERNATE_CONFIRM_TEXT  277
#define IDS_TRAY_CANCEL_RESTART     278     // "取消自动重启", also the cancel question's caption
#define IDS_TRAY_CANCEL_SLEEP       279
#define IDS_TRAY_CANCEL_HIBERNATE   280
#define IDS_RESTART_CANCEL_ASK      281     // "确定要取消自动重启吗？"
#define IDS_SLEEP_CANCEL_ASK        282
#define IDS_HIBERNATE_CANCEL_ASK    283
#define IDS_RESTART_INCOMPLETE      284     // "自动重启未完成"
#define IDS_SLEEP_INCOMPLETE        285
#define IDS_HIBERNATE_INCOMPLETE    286
#define IDS_TRAY_ADD_TEN_MINUTES    287     // "延后10分钟", the menu item while a countdown runs
// 260..279: the Battery details window
#define IDS_DETAILS_TITLE           300     // "电池信息", also the menu item's text
#define IDS_DETAILS_NOW             301     // "现在"
#define IDS_DETAILS_BATTERY         302     // "电池"
#define IDS_DETAILS_HISTORY         303     // "电量记录"
#define IDS_DETAILS_UNKNOWN         304     // "未知"
#define IDS_DETAILS_NAME_LINE       305     // "%s，%s": name, maker
#define IDS_DETAILS_CAPACITY_LINE   306     // "设计容量 %s，充满容量 %s"
#define IDS_DETAILS_HEALTH_LINE     307     // "健康度 %s，循环次数 %s"
#define IDS_DETAILS_DAY             308     // "24 小时"
#define IDS_DETAILS_WEEK            309     // "7 天"
#define IDS_DETAILS_SLEPT           310     // "睡眠 %s，耗电 %d%%"
#define IDS_DETAILS_HOURS           311     // "%d小时"
#define IDS_DETAILS_MINUTES         312     // "%d分钟"
#define IDS_DETAILS_ON_BATTERY      313     // "使用电池", the legend
#define IDS_DETAILS_CHARGING        314     // "接通电源"
#define IDS_DETAILS_HISTORY_OFF     315     // History=0
#define IDS_DETAILS_NO_HISTORY      316     // the folder cannot be written

// Dialogs
#define IDD_ABOUTBOX                103
#define IDD_OPTIONS                 132
#define IDD_AUTOSHUTDOWN            133
#define IDD_SHUTDOWN_CONFIRM        134

// Menu, accelerators, pictures
#define IDM_CONTEXT                 129
#define IDA_BRISVANE                109
#define IDB_STATES                  130
#define IDI_BRISVANE                131
#define IDI_SHUTDOWN                138

// Commands
#define IDM_ABOUT                   104
#define IDM_EXIT                    105
#define IDM_OPTIONS                 32774
#define IDM_AUTOSHUTDOWN            32777
#define IDM_ADD_TEN_MINUTES         32780   // while a countdown runs, above its cancel
#define IDM_BATTERY_DETAILS         32778

// About box
#define IDC_ABOUT_ICON              2

// Options dialog
#define IDC_OPTIONS_INTERVAL        1000
#define IDC_OPTIONS_ALPHA           1001
#define IDC_OPTIONS_ADHERE          1002
#define IDC_OPTIONS_AUTORUN         1003
#define IDC_OPTIONS_IGNOREDUI       1010
#define IDC_OPTIONS_ALPHA_EDIT      1015
#define IDC_OPTIONS_BARTEXT         1016
#define IDC_OPTIONS_ALERTLOW        1017    // the check box; its number follows
#define IDC_OPTIONS_ALERTLOW_EDIT   1018
#define IDC_OPTIONS_ALERTLOW_SPIN   1019
#define IDC_OPTIONS_ALERTHIGH       1020
#define IDC_OPTIONS_ALERTHIGH_EDIT  1021
#define IDC_OPTIONS_ALERTHIGH_SPIN  1022
#define IDC_OPTIONS_LANGUAGE        1023

// Auto-shutdown dialog
#define IDC_SHUTDOWN_AFTER          1003
#define IDC_SHUTDOWN_HOURS          1004
#define IDC_SHUTDOWN_HOURS_SPIN     1005
#define IDC_SHUTDOWN_MINUTES        1006
#define IDC_SHUTDOWN_MINUTES_SPIN   1007
#define IDC_SHUTDOWN_AT             1008
#define IDC_SHUTDOWN_DATE           1009
#define IDC_SHUTDOWN_TIME           1010
#define IDC_SHUTDOWN_HOURS_LABEL    1013
#define IDC_SHUTDOWN_MINUTES_LABEL  1014
#define IDC_SHUTDOWN_FORCE          1015
#define IDC_SHUTDOWN_ACTION_LABEL   1016
#define IDC_SHUTDOWN_ACTION         1017

// Confirmation
#define IDC_CONFIRM_TEXT            1030
#define IDC_CONFIRM_LATER           1031    // "推迟10分钟": ten more minutes, the same action

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
