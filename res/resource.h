// Resource and command identifiers of Brisvane. Kept by hand; the resource
// script and the code use only these names.
#pragma once

// Strings
#define IDS_APP_TITLE               103     // "Brisvane", the bar window's title
#define IDC_BRISVANE                109     // "BRISVANE", the window class name
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

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
