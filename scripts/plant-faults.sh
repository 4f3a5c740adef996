#!/usr/bin/env bash
# Plants small faults in the product code, one at a time, and checks that the test suite
# catches each: applies the mutation, builds only the suites likely to catch it, runs them,
# records which test failed, and puts the file back.
#
#   scripts/plant-faults.sh [build-dir] [row numbers...]
#   FULL=1 scripts/plant-faults.sh   # a fault the likely suites miss is tried on the whole suite
#
# Rows: layer @@ file @@ likely tests (ctest regex) @@ original text @@ replacement.
# The original must occur exactly once in the file; "\n" stands for a line break.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
only=" $* "

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work} CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-/root/.ccache} QT_QPA_PLATFORM=offscreen

read -r -d '' FAULTS <<'EOF'
model@@model/freqcodec.cpp@@tst_chancodecs|tst_codecfuzz@@static_cast<std::uint8_t>(steps % 256)};@@static_cast<std::uint8_t>(steps % 255)};
model@@model/freqcodec.cpp@@tst_chancodecs@@const bool ok = i == 3 ? ch == '.'@@const bool ok = i == 4 ? ch == '.'
model@@model/freqcodec.cpp@@tst_chancodecs|tst_changrid@@return steps == 0 ? "Inactive" :@@return steps == 1 ? "Inactive" :
model@@model/guardcodec.cpp@@tst_chancodecs|tst_codecfuzz@@word = 0x8000 + (upper.back() == '-' ? 0x4000 : 0)@@word = 0x8000 + (upper.back() == '-' ? 0x2000 : 0)
model@@model/guardcodec.cpp@@tst_chancodecs|tst_codecfuzz@@if (high & 0x40)@@if (high & 0x20)
model@@model/cmdgroupcodec.cpp@@tst_chancodecs|tst_settingspanes|tst_report@@return GlbCommandGroup + 2 * entry + 1;@@return GlbCommandGroup + 2 * entry + 2;
model@@model/picklistcodec.cpp@@tst_settingspanes|tst_globalcodec|tst_report@@constexpr int PickListLockMask = 0x40;@@constexpr int PickListLockMask = 0x80;
model@@model/numtext.cpp@@tst_numtext|tst_chancodecs@@return ch - 'A' + 10;@@return ch - 'A' + 11;
model@@model/labelcodes.cpp@@tst_chancodecs|tst_codecfuzz@@return std::string(1, LabelTable[code]);@@return std::string(1, LabelTable[code == 36 ? 37 : code]);
link@@link/writetables.h@@tst_radiocommands|tst_eeprotocol|cut_sweep@@{0x083, WriteKind::Byte, 0xFE, WriteUse::Both},@@{0x083, WriteKind::Byte, 0xFF, WriteUse::Both},
link@@link/writetables.h@@tst_radiocommands|cut_sweep@@{3, 0x00, 128}, // channels 17..20@@{3, 0x00, 120}, // channels 17..20
link@@link/writetables.h@@tst_radiocommands|cut_sweep@@{0x168, WriteKind::ZeroBlock, 152@@{0x168, WriteKind::Block, 152
link@@link/eeprotocol.cpp@@tst_eeprotocol|tst_linkpty@@Send({0x0A});@@Send({0x0B});
link@@link/eeprotocol.cpp@@tst_eeprotocol|tst_radiocommands@@command[0] = 0xD5;@@command[0] = 0xD4;
link@@link/transactions.cpp@@tst_radiocommands|tst_eeprotocol@@" Group " + std::to_string(group + 1) + " Data....."@@" Group " + std::to_string(group + 1) + " Data...."
link@@link/transactions.cpp@@tst_radiocommands|cut_sweep@@const int low = w.address & 0xFF;@@const int low = w.address & 0x7F;
link@@link/radiobackup.cpp@@tst_readbackup@@if (i == 4 || i == 7 ? c != '-'@@if (i == 4 || i == 8 ? c != '-'
files@@files/tdffile.cpp@@tst_tdffile|tst_filecommands@@if (!platform().files->writeAtomic(fileName, image)) {@@if (!platform().files->writeAtomic(fileName + ".new", image)) {
files@@files/tdffile.cpp@@tst_tdffile|tst_filecommands@@static_cast<int>(i % PageSize), (*data)[i]);@@static_cast<int>(i % PageSize), (*data)[i] | (i == 9 ? 1 : 0));
files@@files/filecommands.cpp@@tst_filecommands@@"Invalid File Name: "@@"Invalid file name: "
files@@files/caption.cpp@@tst_filecommands|tst_mainwindow@@return ProgramTitle + " - New File" + ModifiedMark;@@return ProgramTitle + " - New file" + ModifiedMark;
files@@files/exitconfirm.cpp@@tst_exitconfirm@@q.caption = "CONFIRM EXIT";@@q.caption = "EXIT";
rules@@rules/windowlayout.cpp@@tst_windowlayout|tst_mainwindow@@if (p.top < -240)@@if (p.top < -250)
rules@@rules/windowlayout.cpp@@tst_windowlayout|tst_mainwindow@@l.stripWidth = std::max(0, windowWidth - l.stripLeft - 240);@@l.stripWidth = std::max(0, windowWidth - l.stripLeft - 250);
rules@@rules/gridedit.cpp@@tst_gridsession|tst_changrid@@return {cell.row == GridLastRow ? 1 : cell.row + 1, cell.col};@@return {cell.row == GridLastRow ? GridLastRow : cell.row + 1, cell.col};
rules@@rules/gridclip.cpp@@tst_gridclip|tst_editmenu@@if (c.sel.col == c.copy.area.col && SameSize(c.sel, c.copy.area))@@if (SameSize(c.sel, c.copy.area))
rules@@rules/gridclip.cpp@@tst_gridclip|tst_editmenu@@return PasteArea{{c.sel.row, 1, end, GridLastCol}, {}};@@return PasteArea{{c.sel.row, 2, end, GridLastCol}, {}};
rules@@rules/groupcopy.cpp@@tst_groupcopy@@const int from = params ? 0 : GroupParamBytes;@@const int from = params ? 1 : GroupParamBytes;
rules@@rules/gridsession.cpp@@tst_gridsession|tst_changrid@@if (key == 0x7F)@@if (key == 0x7E)
alignment@@alignment/curvemath.cpp@@tst_curvemath|tst_curveadjust@@b[r][n + r] = 1.0L;@@b[r][n + r] = 1.0001L;
alignment@@alignment/curvemath.cpp@@tst_curvemath|tst_curveadjust@@constexpr long long LowestFull = 16384;@@constexpr long long LowestFull = 8192;
alignment@@alignment/curveadjust.cpp@@tst_curveadjust@@void CurveAdjust::Restore()\n{\n    if (g_bHooked)@@void CurveAdjust::Restore()\n{\n    if (false && g_bHooked)
alignment@@alignment/vcotuning.h@@tst_vcotuning|tst_tunewindow@@VCOConstants{0.017492578125, 1.95, 2.05@@VCOConstants{0.017492578125, 1.96, 2.05
alignment@@alignment/freqadjust.cpp@@tst_freqadjust@@result = "Aborted: adjust not restored";@@result = "Aborted: adjust restored";
alignment@@alignment/testcommands.cpp@@tst_alignlink@@constexpr TestCommand CmdEnterTransparentTX{0xF3};@@constexpr TestCommand CmdEnterTransparentTX{0xF2};
alignment@@alignment/squelchadjust.cpp@@tst_squelchadjust@@return gain >= 0 && gain <= 255;@@return gain >= 0 && gain <= 254;
report@@report/printreport.cpp@@tst_report@@{2, "Keypad Edit Password:", "ANI ID:", GetANIID},@@{2, "Keypad Edit Password:", "ANI ID", GetANIID},
report@@report/printreport.cpp@@tst_report@@return (n < 10 ? " " : "") + std::to_string(n);@@return (n < 9 ? " " : "") + std::to_string(n);
report@@report/printreport.cpp@@tst_report@@return GetTxOnPri1(mm) ? "Yes" : "No";@@return GetTxOnPri1(mm) ? "No" : "Yes";
editor@@editor/mainwindowmenus.cpp@@tst_mainwindow@@"mnuFileSaveNew", "Save As New File"@@"mnuFileSaveNew", "Save As New file"
history@@history/historystore.cpp@@tst_history@@if (c == '%' || c == '_' || c == '!')@@if (c == '_' || c == '!')
exchange@@exchange/chirpcsv.cpp@@tst_chirpcsv@@tx = *rx - *offset;@@tx = *rx + *offset;
platform@@platform/tempname.cpp@@tst_hostfiles@@return ageSeconds >= StaleTempFileSeconds@@return ageSeconds > StaleTempFileSeconds
cli@@cli/cliargs.cpp@@tst_clijobs@@if (c.group < 1 || c.group > 25)@@if (c.group < 1 || c.group > 26)
files@@files/exitconfirm.cpp@@tst_exitconfirm@@return !g_bExitSave || SaveAsNewFile();@@return !g_bExitSave || SaveAsNewFile() || true;
editor@@editor/copymacrodialog.cpp@@tst_groupcopy|tst_editmenu@@m_chkPasteDest[index]->setChecked(false);@@m_chkPasteDest[index]->setChecked(true);
editor@@editor/optionsmenu.cpp@@tst_optionsmenu@@SaveSetting(setting, *flag ? "Yes" : "No");@@SaveSetting(setting, *flag ? "No" : "Yes");
editor@@editor/edithistory.cpp@@tst_editmenu@@m_stack.setClean();@@(void)0;
platform@@platform/instrumentaddress.cpp@@tst_instrumentprofile@@1, 65535, a.port)@@0, 65535, a.port)
autotune@@autotune/profiletestset.cpp@@tst_instrumentprofile@@std::abs(v) >= 9.9e37@@std::abs(v) >= 9.95e37
alignment@@alignment/frontendadjust.h@@tst_powerlevels@@FrontEndRange{10000, 22000, 16000, 25000}@@FrontEndRange{10000, 21999, 16000, 25000}
alignment@@alignment/powerlevels.cpp@@tst_powerlevels@@keep = Ask("Save this value before quitting?"@@keep = Ask("Save this value before quitting"
link@@link/serialdevices.cpp@@tst_portchoice|tst_serialports@@a.group < b.group : a.number < b.number;@@a.group < b.group : a.number > b.number;
link@@link/serialdevices.cpp@@tst_portchoice|tst_serialports@@return a.facts->kernelName == b.facts->kernelName;@@return a.facts->kernelName == b.facts->kernelName + "-";
model@@model/numtext.cpp@@tst_numtext|tst_chancodecs|tst_codecfuzz@@if (result % 2 != 0)@@if (result % 2 == 0)
model@@model/globaloptions.cpp@@tst_globalcodec@@"Lockout with Override"@@"Lockout With Override"
history@@history/historystore.cpp@@tst_history@@if (SqlInt(rows[0][0]) > 0) // sent before@@if (SqlInt(rows[0][0]) > 1) // sent before
link@@link/portchoice.cpp@@tst_portchoice@@            OptionsMenuChanged();\n            return;@@            return;
files@@files/tdffile.cpp@@tst_tdffile|tst_filecommands@@for (std::size_t i = 0; i < data->size(); ++i)@@for (std::size_t i = 0; i + 1 < data->size(); ++i)
cli@@cli/radiojob.cpp@@tst_clijobs@@device.compare(0, 5, "/dev/") == 0 ? device.substr(5)@@device.compare(0, 5, "/dev/") == 0 ? device.substr(4)
history@@history/historyrecorder.cpp@@tst_history@@m_db.reset(); // a lost server@@(void)0; // a lost server
autotune@@autotune/autotunerunner.cpp@@tst_autotune@@stop = "Aborted: the window was closed";@@stop = "Aborted: the window closed";
alignment@@alignment/testcommands.cpp@@tst_alignlink@@        if (!AskHookRetry())@@        if (AskHookRetry() || true)
sim@@sim/benchmodel.cpp@@tst_benchinstrument@@std::pow((fes - FESIdeal) / 2000.0, 2)@@std::pow((fes - FESIdeal) / 2500.0, 2)
alignment@@alignment/curvemath.cpp@@tst_curvemath|tst_curveadjust@@RoundCurveNum(std::fabs(value))@@RoundCurveNum(value)
alignment@@alignment/curvemath.cpp@@tst_curvemath@@return std::llrint(value);@@return std::llround(value);
autotune@@autotune/searches.cpp@@tst_autotune@@constexpr double Golden = 0.3819660112501051;@@constexpr double Golden = 0.4819660112501051;
rules@@rules/treelogic.cpp@@tst_windowlayout|tst_mainwindow@@tree.selectedNode = GlobalsNode;@@tree.selectedNode = RadioNode;
rules@@rules/gridfind.cpp@@tst_gridclip|tst_editmenu@@(forward ? n : -n)@@(forward ? n : n)
app@@app/startup.cpp@@tst_exitconfirm@@g_iLastNode = 2;@@g_iLastNode = 4;
editor@@editor/cmdgrouppane.cpp@@tst_settingspanes@@[i] { return !CmdGrpChanEnabled(MemMap, i); });@@[i] { return false && !CmdGrpChanEnabled(MemMap, i); });
editor@@editor/mainwindowlayout.cpp@@tst_mainwindow@@if (p.left != now.left || p.top != now.top)@@if (p.top != now.top)
link@@link/transactions.cpp@@tst_radiocommands@@page[k * BlockSize + i] = k < 2 ? block[i] : 0;@@page[k * BlockSize + i] = k < 3 ? block[i] : 0;
link@@link/transactions.cpp@@tst_radiocommands@@if (pages != RadioPages::Group)\n        CopyToImage(image, Layout::GlobalPage, globals);@@if (true)\n        CopyToImage(image, Layout::GlobalPage, globals);
link@@link/transactions.cpp@@tst_radiocommands@@constexpr int RunMergeGap = 16;@@constexpr int RunMergeGap = 8;
sim@@sim/virtualradio.cpp@@tst_virtualradio@@m_hooked = true;\n        m_lineRate = 4800;@@m_hooked = true;
exchange@@exchange/textform.cpp@@tst_textform@@Quoted(value) + " taken as \"Inactive\""@@Quoted(value) + " read as \"Inactive\""
platform@@platform/qtplatform.cpp@@tst_hostfiles@@mode = old.st_mode & 07777;@@mode = 0644;
platform@@platform/qtplatform.cpp@@tst_hostfiles@@if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {@@if (true) {
app@@app/startup.cpp@@tst_hostfiles@@return "Settings cannot be read or stored: " + file + ".....";@@return "Settings cannot be read or stored: " + file;
rules@@rules/treelogic.cpp@@tst_windowlayout|tst_mainwindow@@if (rightButton && nodeText.find("Groups") == std::string::npos) {@@if (rightButton) {
report@@report/printreport.cpp@@tst_report@@const double x = p.pageWidth() - (5 * p.textWidth("X") + p.textWidth(text));@@const double x = p.pageWidth() - (4 * p.textWidth("X") + p.textWidth(text));
link@@link/writetables.h@@tst_radiocommands@@{0x0C1, WriteKind::Block, 4, WriteUse::GlobalsOnly},@@{0x0C1, WriteKind::Block, 3, WriteUse::GlobalsOnly},
link@@link/eeprotocol.cpp@@tst_eeprotocol@@    m_iBaudIndex = index;\n    SetBaudRate();@@    m_iBaudIndex = index;
platform@@platform/lxiinstrument.cpp@@tst_benchinstrument@@if (!Alive()) {@@if (false && !Alive()) {
alignment@@alignment/alignmentcells.cpp@@tst_alignlink@@    UnhookRadio(true);\n    ShowHookError();\n    return false;@@    UnhookRadio(true);\n    return false;
EOF

# Start from the product as it is: every file of the table rebuilt into the suites it names.
all_targets=$(awk -F'@@' 'NF == 5 { print $3 }' <<<"$FAULTS" | tr '|' '\n' | sort -u)
awk -F'@@' 'NF == 5 { print $2 }' <<<"$FAULTS" | sort -u | xargs touch
nice cmake --build "$build" -j2 --target $all_targets >/tmp/plant-start.log 2>&1 ||
    { echo "the suites do not build, see /tmp/plant-start.log" >&2; exit 2; }

results=()
caught=0
missed=0
n=0
while IFS= read -r row; do
    [[ -z $row ]] && continue
    n=$((n + 1))
    [[ $only != "  " && $only != *" $n "* ]] && continue
    IFS=$'\x01' read -r layer file tests original replacement <<<"${row//@@/$'\x01'}"
    if ! python3 - "$file" "$original" "$replacement" <<'PY'; then
import sys
path, old, new = sys.argv[1], sys.argv[2].replace("\\n", "\n"), sys.argv[3].replace("\\n", "\n")
text = open(path).read()
if text.count(old) != 1:
    sys.exit(1)
open(path + ".planted-orig", "w").write(text)
open(path, "w").write(text.replace(old, new))
PY
        results+=("$n|$layer|$file|not applied: the original text is not there once|-")
        continue
    fi
    # Written back rather than moved, so the file is newer than the objects built from the fault.
    restore() { [[ -f $file.planted-orig ]] && cat "$file.planted-orig" >"$file" && rm "$file.planted-orig"; }
    trap restore EXIT INT TERM
    targets=$(tr '|' ' ' <<<"$tests")
    status=missed
    failing=-
    if ! nice cmake --build "$build" -j2 --target $targets >"/tmp/plant-$n.log" 2>&1; then
        status="build failed"
    else
        out=$(ctest --test-dir "$build" -R "^($tests)\$" --output-on-failure 2>&1)
        failing=$(sed -n '/tests FAILED:/,$p' <<<"$out" | grep -oE '[0-9]+ - [A-Za-z0-9_]+' |
            sed 's/.* - //' | sort -u | paste -sd, -)
        if [[ -z $failing && ${FULL:-0} == 1 ]]; then
            nice cmake --build "$build" -j2 >>"/tmp/plant-$n.log" 2>&1
            out=$(ctest --test-dir "$build" -j2 -LE reliability 2>&1)
            failing=$(sed -n '/tests FAILED:/,$p' <<<"$out" | grep -oE '[0-9]+ - [A-Za-z0-9_]+' |
                sed 's/.* - //' | sort -u | paste -sd, -)
        fi
        if [[ -n $failing ]]; then
            status=caught
            caught=$((caught + 1))
        else
            failing=-
            missed=$((missed + 1))
        fi
    fi
    restore
    trap - EXIT INT TERM
    # Rebuilt at once, so no later fault runs with this one still in the objects.
    touch "$file"
    nice cmake --build "$build" -j2 --target $targets >>"/tmp/plant-$n.log" 2>&1
    results+=("$n|$layer|$file|$status|$failing")
    echo "fault $n ($layer, $file): $status $failing" >&2
done <<<"$FAULTS"

# Put the product code back as it was built.
nice cmake --build "$build" -j2 -- -k 0 >/dev/null 2>&1 || true

printf '%-3s %-10s %-30s %-10s %s\n' "#" layer file result "caught by"
for r in "${results[@]}"; do
    IFS='|' read -r a b c d e <<<"$r"
    printf '%-3s %-10s %-30s %-10s %s\n' "$a" "$b" "$c" "$d" "$e"
done
echo "caught $caught, missed $missed"
[[ $missed == 0 ]]
