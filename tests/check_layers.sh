#!/bin/sh
# The core's layers, lowest first: a folder may include only itself and the folders
# before it. Prints every include that reaches up and fails when there is one.
root=${1:-.}
layers="datamodel datafile clone simulator document exchange"
status=0
allowed=""
for layer in $layers; do
  allowed="$allowed $layer"
  for file in $(find "$root/$layer" -name '*.h' -o -name '*.cpp'); do
    grep -n '#include "[a-z]*/' "$file" | while IFS= read -r line; do
      folder=$(printf '%s\n' "$line" | sed 's/.*#include "\([a-z]*\)\/.*/\1/')
      case " $allowed " in
        *" $folder "*) ;;
        *) echo "${file#$root/}: $layer reaches up to $folder: $line"; exit 1 ;;
      esac
    done || status=1
  done
done
# No core header may include Qt.
if grep -rln '#include <Q' $(for l in $layers; do echo "$root/$l"; done); then
  echo "the core includes Qt"; status=1
fi
exit $status
