#!/usr/bin/env bash
# Each command CONTRIBUTING gives in a box, run from the project's root as written, a debugger
# given at its prompt what the text says to type; and git clang-format on a staged line.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
commands=$(awk '/^ *```$/ { inside = !inside; next } inside { sub(/^ +/, ""); print }' "$root/CONTRIBUTING.md")
fail=0
# A program of the build is built before it runs: the last build's would pass a test just changed.
! grep -E 'kirabo_unit_tests|\.exe|ctest' <<<"$commands" | grep -v '^scripts/build ' || { echo "^ runs what it does not build"; fail=1; }
# A word that picks the command | what is typed at its prompt (printf text) | what its output holds.
while IFS='|' read -r word typed expected; do
  command=$(grep -F -- "$word" <<<"$commands") || { echo "no command holds $word"; fail=1; continue; }
  said=$(cd "$root" && printf "$typed" | bash -c "$command" 2>&1) && grep -qE -- "$expected" <<<"$said" ||
    { echo "$command:"; tail -20 <<<"$said"; fail=1; }
  commands=$(grep -vxF -- "$command" <<<"$commands" || true)
done <<'ROWS'
ctest --test-dir build -N||Total Tests: [1-9]
cd build/windows && xvfb-run||test cases: +1 \| +1 passed
--gtest_filter='Arrangement||PASSED
WINEDEBUG=||Loaded .*Kirabo.auf
wine-debug|break GetFilterTable\ncont\nbt\nquit\n|lifecycle_test\.cpp:[0-9]+\] in lifecycle_test
gdb -ex run|quit\n|exited normally
clangd --query-driver||All checks completed, 0 errors
ROWS
[ -z "$commands" ] || { echo "no row runs $commands"; fail=1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
git clone -q --shared "$root" "$scratch"
cp "$root/.clang-format" "$scratch"
cd "$scratch"
# A row added to a table as the table writes them, one line however long: the formatter leaves it
# as it is, and everything else.
sed -i '/"exactly as wide: no bar"/a\        {"a row added to the table, longer than any line the formatter would keep whole",  20,  36,  120,  k1280,  0,  0,  {0, 0, 120, 40, false, false}},' tests/unit/ViewportTest.cpp
git add tests && git clang-format >/dev/null
[ "$(git diff HEAD --numstat -- tests | tr '\t' ' ')" = "1 0 tests/unit/ViewportTest.cpp" ] ||
  { echo "git clang-format changed more than the row added"; git diff HEAD --stat; fail=1; }
printf 'int Twice(int a)\n{\nif (a) return 2*a;\nreturn 0;\n}\n' >> src/entries/NameMatch.cpp && git add src && git clang-format >/dev/null
[ "$(tail -4 src/entries/NameMatch.cpp)" = $'int Twice(int a) {\n    if (a) return 2 * a;\n    return 0;\n}' ] ||
  { echo "git clang-format gave"; tail -4 src/entries/NameMatch.cpp; fail=1; }
exit $fail
