#!/bin/sh
# The layers, lowest first: a file may include only files of its own layer and of
# the layers before it. The core comes first; the desktop program's layers sit on
# it: the grid, sheet framework and editors (editors/), the concrete sheets
# (editors/sheets/), then the application and main window (shell/). Prints every
# include that reaches up and fails when there is one.
root=${1:-.}
core="datamodel datafile clone simulator document exchange"
layers="$core editors editors/sheets shell"

# The position of the layer a folder belongs to (its longest listed prefix); 0 when
# the folder is in no layer.
rank() {
  best=0; n=0; bestlen=0
  for l in $layers; do
    n=$((n + 1))
    case "$1/" in
      "$l"/*) if [ ${#l} -gt $bestlen ]; then best=$n; bestlen=${#l}; fi ;;
    esac
  done
  echo $best
}

status=0
for layer in $layers; do
  own=$(rank "$layer")
  for file in $(find "$root/$layer" \( -name '*.h' -o -name '*.cpp' \)); do
    dir=$(dirname "${file#$root/}")
    [ "$(rank "$dir")" = "$own" ] || continue
    for folder in $(sed -n 's/^#include "\(.*\)\/[^/]*"$/\1/p' "$file"); do
      used=$(rank "$folder")
      if [ "$used" -gt "$own" ]; then
        echo "${file#$root/}: $layer reaches up to $folder"; status=1
      fi
    done
  done
done
# No core file may include Qt.
if grep -rln '#include <Q' $(for l in $core; do echo "$root/$l"; done); then
  echo "the core includes Qt"; status=1
fi
exit $status
