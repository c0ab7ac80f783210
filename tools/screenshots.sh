#!/usr/bin/env bash
# Regenerates the README's pictures in docs/pictures/ from the real program:
# the bar's looks (also with the time left), the bar on a caption (also at
# 144 DPI and at Wine's default metrics), the tray menu, its tooltip and a
# reminder, About, Options, the auto-shutdown dialog in both modes, the
# countdown and the confirmation; every dialog in English and in Chinese at
# 96 and 192 DPI with themed controls (docs/pictures/en-*.png, zh-*.png), to
# see that no text is cut off; the tray menu in the light and the dark app
# mode (tray-menu-light.png, tray-menu-dark.png); the Battery details window
# over a made-up week in both languages at 96 and 192 DPI.
# Usage: tools/screenshots.sh [RUN…]   (as root: the battery is simulated
# in a private mount namespace). RUN is windows10, english, chinese,
# details or main; all of them without one (SHOTS_ONLY=details: details).
# Always draws on a private virtual display, in a Wine virtual desktop (so
# dialogs get their frames and the notification area shows), in a Wine
# prefix of its own with a CJK face behind the dialog fonts. No picture
# powers anything off: the confirmation is declined.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
bin=$WIN_BUILD/bin
out=$root/docs/pictures
DESKTOP_SIZE=1024x700

if [ -z "${WINE_RUN:-}" ]; then
    [ "$(id -u)" = 0 ] || { echo "tools/screenshots.sh needs root (a simulated battery)" >&2; exit 2; }
    cd "$root"
    wine_fetch_marlett
    mkdir -p "$out"
fi
. "$root/harness/drive.sh"
drive_build Brisvane CBT e2e_driver e2e_test_window e2e_drawn_window
# A display of its own even when there is one: the same pictures anywhere.
# Windows 10 changes the floating bar's colours too: the picture that needs
# it gets a prefix and a run of its own.
DRIVE_RUN_OPTIONS="--screen $DESKTOP_SIZE"
# The dialogs on a desktop of a 200 % display's size (1280 x 700 at 100 %),
# so that the tallest fits at both scales.
DIALOGS_DESKTOP=2560x1400
ENGLISH_DESKTOP=$DIALOGS_DESKTOP
if [ -z "${WINE_RUN:-}" ]; then
    runs=${*:-windows10 english chinese details main}
    [ "${SHOTS_ONLY:-}" != details ] || runs=details
    for run in $runs; do
        case $run in
        windows10) (drive_enter shots-windows10 "$root/build/shots/screenshots-windows10" "$bin/Brisvane.exe" \
                        "$bin/CBT.dll" "$bin/e2e_driver.exe" -- "$0" windows10) ;;
        english | chinese | details) (DRIVE_RUN_OPTIONS="--screen $DIALOGS_DESKTOP" drive_enter "shots-$run" \
                        "$root/build/shots/screenshots-$run" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" \
                        -- "$0" "$run") ;;
        main) (drive_enter shots "$root/build/shots/screenshots" "$bin/Brisvane.exe" "$bin/CBT.dll" \
                   "$bin/e2e_driver.exe" -- "$0") ;;
        *) echo "no run named $run" >&2; exit 2 ;;
        esac
    done
    exit 0
fi
drive_enter shots "$root/build/shots/screenshots${1:+-$1}" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" \
    -- "$0" "$@"
[ "${1:-}" != windows10 ] || wine_windows10
# The Chinese pictures show the program on a Chinese Windows.
BAR_LOCALE=zh_CN.UTF-8

key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "宋体" "SimSun"; do
    wine reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
# Dates as a Chinese Windows writes them.
wine reg add 'HKCU\Control Panel\International' /v sShortDate /t REG_SZ /d yyyy/M/d /f >/dev/null 2>&1
# Every program of the prefix joins one virtual desktop with a taskbar.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d shell /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /t REG_SZ /d $DESKTOP_SIZE /f >/dev/null 2>&1
wine_use_marlett

WM_COMMAND=273
WM_TIMER=275
WM_TRAYNOTIFY=1025
WM_RBUTTONUP=0x205

# grab NAME X Y WIDTH HEIGHT: that part of the screen and a 6-pixel margin.
grab() {
    local x=$(($2 - 6)) y=$(($3 - 6)) w=$(($4 + 12)) h=$(($5 + 12))
    [ $x -ge 0 ] || { w=$((w + x)); x=0; }
    [ $y -ge 0 ] || { h=$((h + y)); y=0; }
    # The whole screen stays under build/shots/screenshots* for a look.
    import -window root "$E2E_DIR/screen-$1.png"
    convert "$E2E_DIR/screen-$1.png" -crop "${w}x$h+$x+$y" +repage "$out/$1.png"
    echo "wrote docs/pictures/$1.png (${w}x$h)"
}
rect() {  # rect DRIVER_OUTPUT: "X Y WIDTH HEIGHT"
    echo "$(value x "$1") $(value y "$1") $(value width "$1") $(value height "$1")"
}
grab_bar() {
    sleep 1
    grab "$1" $(rect "$(driver bar)")
}
grab_dialog() {  # grab_dialog PICTURE NAME: the dialog, active
    local d
    d=$(driver dialog "$2" 10000)
    [ "$(value open "$d")" = 1 ] || fail "no $2 dialog"
    # A click on the caption, so the dialog draws as the active window.
    xdotool mousemove $(($(value x "$d") + 60)) $(($(value y "$d") + 10)) click 1 mousemove 0 0
    sleep 1
    driver dialogsend "$2" 0x86 1 0 >/dev/null
    sleep 0.5
    grab "$1" $(rect "$d")
}
refresh() {
    driver post $WM_TIMER 1 0
    sleep 1
}
closed() {  # waits until dialog NAME has gone
    for _ in $(seq 1 20); do
        [ "$(value open "$(driver dialog "$1" 0)")" = 1 ] || return 0
        sleep 0.5
    done
    fail "dialog $1 stays open"
}
settings() {  # settings ADHERE: the INI the next start reads
    printf '[Brisvane]\r\nAdhere=%s\r\nAlpha=240\r\n[Position]\r\nX=470\r\nY=300\r\n' "$1" >"$E2E_DIR/app/Brisvane.ini"
}

# The bar on a dark (#202020) caption a window paints itself, as browsers
# and editors do, on a desktop that reports Windows 10: it ends left of the
# window's own button and takes the caption's colour from the screen. A
# run of its own (see above) makes this picture alone.
if [ "${1:-}" = windows10 ]; then
    drive_desktop shell $DESKTOP_SIZE
    . "$root/harness/caption.sh"
    settings 1
    fake_battery 57 0 Discharging
    title="A caption the window draws"
    start_window "$title" "$bin/e2e_drawn_window.exe" captioned "$title" 60 60 560 300 202020
    start_bar
    eventually on_drawn_caption "$title" || fail "the bar is not on the self-drawn caption"
    sleep 1
    # Wine raises an activated window above the topmost bar on X: restacked.
    driver ontop >/dev/null
    eventually filled_in 202020 || fail "the bar is not in the dark caption's colour"
    grab caption-dark-drawn 60 60 560 42
    driver closewin "$title"
    driver close
    wait_bar_exit
    exit 0
fi

# The tray menu where the icon is, with the notification area: PICTURE.
grab_tray_menu() {
    local tray mx my mw mh tx ty tw th
    tray=$(driver window class:Shell_TrayWnd) || fail "no taskbar"
    read -r tx ty tw th <<<"$(rect "$tray")"
    xdotool mousemove $((tx + tw - 40)) $((ty + th / 2))
    driver post $WM_TRAYNOTIFY 1 $WM_RBUTTONUP
    menu=$(driver window 'class:#32768' 10000) || fail "no tray menu"
    sleep 1
    read -r mx my mw mh <<<"$(rect "$menu")"
    grab "$1" $((mx - 120)) $my $((tx + tw - mx + 114)) $((ty + th - my - 6))
    xdotool key Escape
    sleep 1
}

# Starts the prefix's programs again at DPI, the bar included, on the
# dialogs' desktop.
restart_at_dpi() {
    wineserver -k 2>/dev/null || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wine_start
    drive_desktop shell $DIALOGS_DESKTOP
    settings 0
    fake_battery 57 0 Discharging
    start_bar
}

# Every dialog in English or in Chinese, at 96 and at 192 DPI, in a run of
# its own: the program on a Windows of that language, its programs started
# again at each scale. The controls are drawn in the theme a Wine prefix
# has on by default ("Light", blue), which stands in for Windows 11's own;
# without Common Controls 6 Wine draws them unthemed.
# Neither Segoe UI nor Microsoft YaHei UI comes with Wine: WenQuanYi Micro
# Hei stands in for both.
if [ "${1:-}" = english ] || [ "${1:-}" = chinese ]; then
    if [ "$1" = english ]; then BAR_LOCALE=en_US.UTF-8 lang=en; else lang=zh; fi
    for face in "Segoe UI" "Microsoft YaHei UI"; do
        wine reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    theme='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /t REG_SZ /d $DIALOGS_DESKTOP /f >/dev/null 2>&1
    # SHOT_DPIS=144 (say) makes the same pictures at another scale for a look.
    for dpi in ${SHOT_DPIS:-96 192}; do
        restart_at_dpi $dpi
        # Before any dialog: the menu of a fresh start.
        [ "$lang$dpi" != zh96 ] || grab_tray_menu tray-menu-light
        driver post $WM_COMMAND 32774 0
        driver options 10000 >/dev/null || fail "no Options dialog"
        grab_dialog $lang-options-${dpi}dpi 选项
        driver dialogcmd 选项 2
        driver options-gone 10000 >/dev/null
        driver post $WM_COMMAND 104 0
        grab_dialog $lang-about-${dpi}dpi about
        driver dialogcmd about 1
        closed about
        driver post $WM_COMMAND 32777 0
        grab_dialog $lang-autoshutdown-after-${dpi}dpi shutdown
        driver dialogcheck shutdown 1008
        grab_dialog $lang-autoshutdown-at-${dpi}dpi shutdown
        driver dialogcheck shutdown 1003
        driver dialogset shutdown 1004 0
        driver dialogset shutdown 1006 1
        driver dialogcmd shutdown 1
        closed shutdown
        driver dialog confirm 75000 >/dev/null
        grab_dialog $lang-confirm-${dpi}dpi confirm
        driver dialogcmd confirm 2
        closed confirm
        driver close
        wait_bar_exit
        close_all_bars
    done
    # The menu in the dark app mode. Wine's uxtheme has neither ordinal 135
    # nor 136 (and its prefix reports Windows 7), so the program keeps the
    # classic menu there: the colours of Windows 11's dark menus stand in
    # for what uxtheme draws on Windows.
    if [ $lang = zh ]; then
        wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
            /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wine reg add "$theme" /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1
        for colour in "Menu 43 43 43" "MenuText 255 255 255" "Highlight 65 65 65" "HighlightText 255 255 255" \
            "GrayText 120 120 120" "MenuHilight 65 65 65" "MenuBar 43 43 43"; do
            wine reg add 'HKCU\Control Panel\Colors' /v "${colour%% *}" /t REG_SZ /d "${colour#* }" /f >/dev/null 2>&1
        done
        restart_at_dpi 96
        grab_tray_menu tray-menu-dark
        driver close
        wait_bar_exit
        close_all_bars
    fi
    exit 0
fi

# The Battery details window: a week with a sleep every night and an
# afternoon off, the charge at 57 % on battery now.
if [ "${1:-}" = details ]; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /t REG_SZ /d $ENGLISH_DESKTOP /f >/dev/null 2>&1
    for dpi in 96 192; do
        wineserver -k 2>/dev/null || true
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
        wineserver -k 2>/dev/null || true
        wine_start
        drive_desktop shell $ENGLISH_DESKTOP
        for language in zh-CN en-US; do
            printf '[Brisvane]\r\nAdhere=0\r\nLanguage=%s\r\n[Position]\r\nX=470\r\nY=300\r\n' $language \
                >"$E2E_DIR/app/Brisvane.ini"
            python3 "$root/tools/make_history.py" week "$E2E_DIR/app/Brisvane-history.csv"
            fake_battery 57 0 Discharging
            start_bar
            driver post $WM_COMMAND 32778 0
            w=$(driver window class:BrisvaneDetails 10000) || fail "no Battery details window"
            sleep 1
            picture=details-${dpi}dpi
            [ $language = zh-CN ] || picture=en-$picture
            grab $picture $(rect "$w")
            # The week: the switch takes the arrow keys.
            driver activate class:BrisvaneDetails >/dev/null
            xdotool key Right
            sleep 1
            grab ${picture/details/details-week} $(rect "$w")
            driver closewin class:BrisvaneDetails
            driver close
            wait_bar_exit
            close_all_bars
        done
    done
    exit 0
fi

drive_desktop shell $DESKTOP_SIZE

# The free-floating bar on the desktop's ground.
settings 0
fake_battery 57 0 Discharging
start_bar
grab_bar bar-normal
fake_battery 57 1 Charging
refresh
grab_bar bar-charging
fake_battery 3 0 Discharging
refresh
grab_bar bar-critical
fake_battery 57 0 Discharging
refresh

# The auto-shutdown dialog in both modes, then a 1 h 30 min countdown.
driver post $WM_COMMAND 32777 0
grab_dialog autoshutdown-after shutdown
driver dialogcheck shutdown 1008
grab_dialog autoshutdown-at shutdown
driver dialogcheck shutdown 1003
driver dialogset shutdown 1004 1
driver dialogset shutdown 1006 30
driver dialogcmd shutdown 1
closed shutdown
grab_bar bar-countdown
driver post $WM_COMMAND 32777 0
driver dialog cancelask 10000 >/dev/null
driver dialogcmd cancelask 1
closed cancelask

# A 1-minute countdown run to its confirmation (a real minute), declined at once.
driver post $WM_COMMAND 32777 0
driver dialog shutdown 10000 >/dev/null
driver dialogset shutdown 1004 0
driver dialogset shutdown 1006 1
driver dialogcmd shutdown 1
closed shutdown
driver dialog confirm 75000 >/dev/null
grab_dialog confirm confirm
driver dialogcmd confirm 2
closed confirm

# Options as a first start shows them: riding on captions ticked.
driver post $WM_COMMAND 32774 0
driver options 10000 >/dev/null || fail "no Options dialog"
driver options-click 1002
grab_dialog options 选项
driver dialogcmd 选项 2
driver options-gone 10000 >/dev/null

# The time left on the bar instead of the percentage ("条上显示").
driver post $WM_COMMAND 32774 0
driver options 10000 >/dev/null || fail "no Options dialog"
driver options-select 1 1016
driver options-click 1
driver options-gone 10000 >/dev/null
grab_bar bar-time

# The tray's tooltip while the mouse rests on the icon, and the low reminder
# as the charge steps below 20 % (what Windows would tell the bar at once).
tray=$(driver window class:Shell_TrayWnd) || fail "no taskbar"
read -r tx ty tw th <<<"$(rect "$tray")"
xdotool mousemove 500 300
sleep 0.5
xdotool mousemove $((tx + tw - 12)) $((ty + th / 2))
tip=$(driver traytip 4000)
[ -n "$(value tip "$tip")" ] || fail "no tray tooltip"
read -r px py pw ph <<<"$(rect "$tip")"
grab tray-tip $px $py $((tx + tw - px)) $((ty + th - py))
xdotool mousemove 500 300
fake_battery 19 0 Discharging
driver powersetting percent 19 >/dev/null
note=$(driver balloon 5000)
[ "$(value shown "$note")" = 1 ] || fail "no reminder"
sleep 1
read -r px py pw ph <<<"$(rect "$note")"
grab notification-low $px $py $((tx + tw - px)) $((ty + th - py))
driver balloon 40000 gone >/dev/null
fake_battery 57 0 Discharging
driver powersetting percent 57 >/dev/null

driver post $WM_COMMAND 104 0
grab_dialog about 关于
driver dialogcmd 关于 1
closed 关于

# The tray menu, opened where the icon is, with the notification area.
grab_tray_menu tray-menu
driver close
wait_bar_exit
# The launcher may end before the program: the next start must not meet it.
close_all_bars

# The bar and the caption it rides on in the same state: the caption just
# left of the bar and the bar's fill, both in the active or inactive colour.
caption_shows() {  # caption_shows active|inactive
    local bar x y want spot pixel
    bar=$(driver bar)
    x=$(value x "$bar") y=$(value y "$bar")
    want=$(value "$([ "$1" = active ] && echo caption || echo inactivecaption)" "$(driver colours)")
    for spot in "$((x - 8))x$((y + 3))" "$((x + $(value width "$bar") / 3))x$((y + 3))"; do
        pixel=$(screen_pixel "${spot%x*}" "${spot#*x}")
        [ "$pixel" = "$want" ] || {
            import -window root "$E2E_DIR/screen-not-$1.png"
            fail "caption and bar not both $1: $pixel at $spot, not #$want (screen-not-$1.png, bar at $x,$y)"
        }
    done
}

# Riding on notepad's caption, active and (a tool window active) inactive.
settings 1
wine notepad &
driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
driver setpos class:Notepad 60 60 560 300
wine "$bin/e2e_test_window.exe" tool Tool 700 60 220 150 &
driver window Tool 20000 >/dev/null || fail "the tool window did not start"
driver activate class:Notepad
start_bar
sleep 2
caption_shows active
grab caption-active 60 60 560 42
driver activate Tool
sleep 1
caption_shows inactive
grab caption-inactive 60 60 560 42
driver closewin Tool
driver closewin class:Notepad
driver close
wait_bar_exit

# The bar on notepad's caption at 144 DPI and at Wine's own default metrics
# (96 DPI, a 19-pixel caption): this prefix without its caption height, its
# programs started again to read the new metrics.
caption_at_dpi() {  # caption_at_dpi PICTURE DPI
    local w
    wineserver -k 2>/dev/null || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
    wine reg delete 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionHeight /f >/dev/null 2>&1 || true
    wineserver -k 2>/dev/null || true
    wine_start
    drive_serve
    events_start
    settings 1
    fake_battery 57 1 Charging
    wine notepad &
    driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
    driver setpos class:Notepad 60 60 560 300
    # Wine draws a window that has been in front since it was made as
    # inactive until the foreground changes once: to the taskbar and back.
    driver activate class:Shell_TrayWnd
    driver activate class:Notepad
    start_bar
    sleep 2
    caption_shows active
    w=$(driver window class:Notepad)
    grab "$1" 60 60 560 $(($(value captionbottom "$w") - 60 + 4))
    driver closewin class:Notepad
    driver close
    wait_bar_exit
}
caption_at_dpi caption-144dpi 144
caption_at_dpi caption-default-metrics 96

# Every picture the README shows must be there.
missing=0
for picture in $(grep -o '([^()]*\.png)' "$root/README.md" | tr -d '()' | sort -u); do
    [ -f "$root/$picture" ] || { echo "README shows $picture, which is missing" >&2; missing=1; }
done
[ $missing = 0 ] || fail "pictures missing"
echo "all README pictures present"
