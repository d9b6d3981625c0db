# The installer's end-to-end stage, sourced after tests/e2e/lib.sh with
# $program, $standins, $stage and $usb_id set: the package's own tools
# beside the program (with a planted script host that must never run), the
# system tools' stand-ins in the folder $1, reached only through the
# development switch, the program and the sample driver package. Sets
# $tools and $tools_log. Defines plug, unplug, default_printer and
# forget_queues.
stage_installer() {
  local file
  tools=$1
  rm -rf "$stage" && mkdir -p "$stage" || fail "no stage folder"
  for file in devcon_x64.exe devcon_x32.exe Drovik.exe prnport.vbs cscript.exe; do
    cp "$standins/$file" "$stage/" || fail "no stand-in $file in $standins"
  done
  mkdir -p "$tools" || fail "no tools folder"
  for file in cscript.exe rundll32.exe control.exe; do
    cp "$standins/$file" "$tools/" || fail "no stand-in $file in $standins"
  done
  tools_log="$tools/standin.log"
  export VELMO_DEV_TOOLS_DIR=$(winepath -w "$tools" 2>/dev/null)
  cp "$program" "$stage/" || fail "no $program"
  cp -r "$velmo_root/tools/installer-fixtures/driver" "$stage/" || fail "no sample package"
}

plug() { printf 'USBPRINT\\VelmoLT42A1B2|%s|Velmo LT42\r\n' "$usb_id" >"$stage/devcon_devices.txt"; }
unplug() { : >"$stage/devcon_devices.txt"; }

# The recorded language (it would win over "-language:") and the queues
# named, as an earlier run may have left them.
forget_queues() {
  local old
  "$velmo_wine" reg delete 'HKLM\SOFTWARE\DARVOLT\Printer' /f >/dev/null 2>&1
  for old in "$@"; do
    "$velmo_wine" reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$old" /f >/dev/null 2>&1
  done
}

default_printer() {
  "$velmo_wine" reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v Device 2>/dev/null |
    tr -d '\r' | grep -q -- "$1"
}
