#!/bin/sh
# Gives the Windows installer its Bulgarian texts: wixl writes only ASCII strings into the
# database, so the database gets code page 1251 and then its texts, with msibuild. Also
# points the Start-menu shortcut at the program itself, where wixl makes it advertised.
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
