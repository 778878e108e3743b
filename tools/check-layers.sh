#!/usr/bin/env bash
# Fails when a file of a computation layer includes a header of a higher layer or of QtWidgets.
# Usage: tools/check-layers.sh QTWIDGETS_INCLUDE_DIR
# Layers, lowest first: base, fields, fieldio, then patterns and design side by side; lab/<folder>
# files belong to <folder>'s layer.
set -euo pipefail
cd "$(dirname "$0")/.."
widgetsDir=${1:?QtWidgets include folder}
[ -d "$widgetsDir" ] || { echo "no such folder: $widgetsDir"; exit 2; }

declare -A rank=([base]=0 [fields]=1 [fieldio]=2 [patterns]=3 [design]=3 [dialogs]=4 [views]=5
                 [app]=6 [lab]=7)

# Header names QtWidgets installs (QWidget, qwidget.h, ...); QtGui and QtCore names are not there.
declare -A widgetHeader=()
while IFS= read -r name; do widgetHeader[$name]=1; done < <(ls "$widgetsDir")

status=0
for layer in base fields fieldio patterns design; do
  for dir in "$layer" "lab/$layer"; do
    [ -d "$dir" ] || continue
    while IFS= read -r file; do
      while IFS= read -r line; do
        lineNo=${line%%:*}
        header=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
        top=${header%%/*}
        # A lab/<folder>/ header belongs to <folder>'s layer.
        if [[ $top == lab && $header == lab/*/* ]]; then
          top=${header#lab/}
          top=${top%%/*}
        fi
        if [[ $header == */* && -n ${rank[$top]+x} ]]; then
          if (( ${rank[$top]} > ${rank[$layer]} )) \
             || { (( ${rank[$top]} == ${rank[$layer]} )) && [[ $top != "$layer" ]]; }; then
            echo "$file:$lineNo: $layer includes the higher layer's $header"
            status=1
          fi
        fi
        if [[ $top == QtWidgets || ( $header != */* && -n ${widgetHeader[$header]+x} ) ]]; then
          echo "$file:$lineNo: $layer includes the Widgets header $header"
          status=1
        fi
      done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done < <(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \))
  done
done
[ $status -eq 0 ] && echo "layering holds"
exit $status
