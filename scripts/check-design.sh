#!/usr/bin/env bash
# Guards the design that the compiler cannot: the core folders never see Qt or a form, and
# every source file is formatted as .clang-format says. Exits non-zero on any breach.
set -euo pipefail
cd "$(dirname "$0")/.."

failed=0

# The core: what vantrel-print and the tests without a QApplication are built from.
core=(src/platform src/words src/rtf src/requisites src/doc src/settings src/store src/editor
    src/invoice)
while IFS= read -r file; do
    if grep -nE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/.*|(formkit|app|about|print|paint|preview|settingsui|storeui)/.*)[>"]' \
        "$file"; then
        echo "$file: a core file includes Qt or a form" >&2
        failed=1
    fi
done < <(find "${core[@]}" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.h.in' \) | sort)

mapfile -t sources < <(find src tests bench fuzz -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "clang-format would change the files above (run: clang-format -i FILE...)" >&2
    failed=1
fi

exit "$failed"
