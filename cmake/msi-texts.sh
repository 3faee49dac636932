#!/bin/sh
# Gives the Windows installer its Bulgarian texts: wixl writes only ASCII strings into the
# database, so the database gets code page 1251 and then its texts, with msibuild. Also
# points the Start-menu shortcut at the program itself, where wixl makes it advertised, and
# lets the installer replace the same version too (the other architecture's; Upgrade
# attributes 513: features carried over, the highest version included), so that a computer
# keeps one program, one shortcut and one entry in Apps & features.
#   msi-texts.sh INSTALLER PUBLISHER
set -eu
msi=$1
publisher=$2
case $publisher in *"'"*) echo "msi-texts.sh: the publisher's name may not hold a ' sign" >&2; exit 2 ;; esac
title='Пионери на изчислителната техника'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$msi" -i "$work/_ForceCodepage.idt"
msibuild "$msi" \
  -q "UPDATE Property SET Value='$title' WHERE Property='ProductName'" \
  -q "UPDATE Property SET Value='$publisher' WHERE Property='Manufacturer'" \
  -q "UPDATE Directory SET DefaultDir='PIONEERS|$title' WHERE Directory='INSTALLDIR'" \
  -q "UPDATE Shortcut SET Name='PIONEERS|$title' WHERE Shortcut='StartMenuShortcut'" \
  -q "UPDATE Shortcut SET Target='[#PioneersQuiz.exe]' WHERE Shortcut='StartMenuShortcut'" \
  -q "UPDATE Shortcut SET Description='Викторина по история на изчислителната техника' WHERE Shortcut='StartMenuShortcut'" \
  -q "UPDATE LaunchCondition SET Description='Вече е инсталирана по-нова версия на програмата.' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
# Attributes are part of the Upgrade table's key, which a query cannot change: the table
# goes out and back in.
msiinfo export "$msi" Upgrade |
  sed 's/\t1\t\tWIX_UPGRADE_DETECTED\(\r\?\)$/\t513\t\tWIX_UPGRADE_DETECTED\1/' >"$work/Upgrade.idt"
grep -q '513		WIX_UPGRADE_DETECTED' "$work/Upgrade.idt" ||
  { echo "msi-texts.sh: no upgrade row to widen in $msi" >&2; exit 1; }
msibuild "$msi" -i "$work/Upgrade.idt"
