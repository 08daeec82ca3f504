#!/bin/sh
# Starts Qt Designer with the NorvText plugin under a virtual display and the form holding
# all seven controls, waits until the plugin logs that its collection initialised, can take
# a picture of the screen, and ends Designer by its process id.
#   designer_smoke.sh BUILD_DIR FORM.ui [PICTURE.png]
set -eu
build=$1
form=$2
picture=${3:-}
designer=${DESIGNER:-/usr/lib/qt6/bin/designer}

if [ -z "${NORVTEXT_IN_XVFB:-}" ]; then
    # Outside: a fresh settings home, in which the standard widget-box groups start closed
    # so that the NorvText group is in sight; then this script again inside a virtual display.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT INT TERM
    mkdir -p "$work/config/QtProject"
    cat >"$work/config/QtProject/Designer.conf" <<'CONF'
[WidgetBox]
Closed%20categories=Layouts, Spacers, Buttons, Item Views (Model-Based), Item Widgets (Item-Based), Containers, Input Widgets, Display Widgets
CONF
    env -u QT_QPA_PLATFORM NORVTEXT_IN_XVFB="$work" HOME="$work" XDG_CONFIG_HOME="$work/config" \
        QT_PLUGIN_PATH="$build/plugins" \
        xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$@"
    exit $?
fi

work=$NORVTEXT_IN_XVFB
"$designer" "$form" >"$work/designer.log" 2>&1 &
pid=$!
tries=0
until grep -q "NorvText: collection initialised" "$work/designer.log"; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$tries" -ge 120 ]; then
        echo "designer_smoke: the plugin never said it initialised" >&2
        cat "$work/designer.log" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.5
done
grep "NorvText:" "$work/designer.log"
status=0
if [ -n "$picture" ]; then
    sleep 3  # the form window and the widget box finish painting
    # Designer's window takes two thirds of the screen, from its top-left corner.
    if "$build/norvtext-screen-grab" "$picture" 1280x800; then echo "designer screenshot: $picture"; else status=1; fi
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
exit $status
