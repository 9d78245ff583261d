#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails for every source file of the checkout whose first lines do not carry the licence and copyright
# tags, so that a file added later without them is caught. Usage: check-licence-headers.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# The checkout's own files when it is one (a build folder inside it is not source); else everything.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -d '' files < <(git ls-files -z --cached --others --exclude-standard)
else
    mapfile -d '' files < <(find . -path ./build -prune -o -type f -printf '%P\0')
fi

checked=0
missing=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    case "$file" in
        *.h | *.cpp | *.h.in | *.cpp.in | *.qml | *.sh | *.py | *.cmake | CMakeLists.txt | */CMakeLists.txt) ;;
        *)
            # Scripts without an ending are source too.
            [ "$(head -c 2 "$file")" = '#!' ] || continue
            ;;
    esac
    checked=$((checked + 1))
    head_lines=$(head -n 6 "$file")
    if ! grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' <<<"$head_lines" ||
        ! grep -q 'SPDX-FileCopyrightText: [0-9]\{4\}' <<<"$head_lines"; then
        missing+=("$file")
    fi
done

if [ "$checked" -eq 0 ]; then
    echo "licence headers: no source files found below $PWD" >&2
    exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "licence headers: ${#missing[@]} of $checked source files lack the SPDX lines at their top:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "licence headers: all $checked source files carry them"
