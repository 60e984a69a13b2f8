#!/usr/bin/env bash
# The program we ship imports system DLLs only, and none of the functions that
# MinGW runtimes are known to pull in but Windows XP lacks: with one of them
# the program would not start there.
set -u
exe=$1
objdump=i686-w64-mingw32-objdump
[ -f "$exe" ] || { echo "missing $exe"; exit 1; }

dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
functions=$("$objdump" -p "$exe" | sed -n '/The Import Tables/,/^$/p; /DLL Name:/,/^$/p' |
    awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}')
# Only DLLs that Windows always loads from its system folder: any other would
# be looked for beside the exe first.
system='^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$'
vista='^(GetTickCount64|InitializeConditionVariable|SleepConditionVariableCS|SleepConditionVariableSRW|WakeConditionVariable|WakeAllConditionVariable|InitializeSRWLock|AcquireSRWLockExclusive|AcquireSRWLockShared|InitOnceExecuteOnce|GetFileInformationByHandleEx|SetFileInformationByHandle|CreateSymbolicLinkA|CreateSymbolicLinkW|GetFinalPathNameByHandleW|FlsAlloc|FlsGetValue|FlsSetValue|FlsFree)$'

failed=0
for dll in $dlls; do
    [[ $dll =~ $system ]] || { echo "not a system DLL: $dll"; failed=1; }
done
for function in $functions; do
    [[ $function =~ $vista ]] && { echo "not on Windows XP: $function"; failed=1; }
done
echo "$(echo "$dlls" | wc -w) DLLs and $(echo "$functions" | wc -w) functions imported by $exe"
exit $failed
