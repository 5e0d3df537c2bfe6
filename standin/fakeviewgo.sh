#!/usr/bin/env bash
# Stands in for N8ViewGo (a Windows program) in the tests and the demo. Started as
#   fakeviewgo.sh n8vg://<order folder in N8's share, Windows form>
# it makes the selection an operator would make there and ends: into the order folder's
# "选版结果" it writes back "VgProduct.data" with one photo of the order's "照片" folder per
# product (in name order, round again when the products outnumber the photos), an
# "Item.data" with the overall remark, and the completion marker "选版.ok".
# The share is found through the client's own PHOTOSELECT_N8_SHARES (its first entry).
# FAKE_VIEWGO_ARGS, when set, names a file the argument is appended to (one line per start).
# FAKE_VIEWGO_REMARK replaces the remark.
set -euo pipefail

argument=${1:-}
[ -n "${FAKE_VIEWGO_ARGS:-}" ] && printf '%s\n' "$argument" >>"$FAKE_VIEWGO_ARGS"
target=${argument#n8vg://}
if [ "$target" = "$argument" ] || [ -z "$target" ]; then
  echo "usage: $0 n8vg://<order folder>" >&2
  exit 2
fi

entry=${PHOTOSELECT_N8_SHARES%%;*}
prefix=${entry%%=*}
prefix=${prefix//\\//}
prefix=${prefix%/}
root=${entry#*=}
path=${target//\\//}
head=${path:0:${#prefix}}
if [ -z "$prefix" ] || [ "${head,,}" != "${prefix,,}" ]; then
  echo "$0: $target is not on the share ${prefix:-(PHOTOSELECT_N8_SHARES is not set)}" >&2
  exit 3
fi
folder=$root${path:${#prefix}}
case "/$folder/" in
*/../*) echo "$0: refusing $folder" >&2; exit 3 ;;
esac
results=$folder/选版结果
mkdir -p "$results"

photos=()
if [ -d "$folder/照片" ]; then
  while IFS= read -r name; do photos+=("$name"); done < <(ls -1 "$folder/照片" | LC_ALL=C sort)
fi

list=$results/VgProduct.data
if [ -s "$list" ]; then
  # The photos go in as N8ViewGo writes them: one <item> per photo, its name in <id>.
  awk -v names="$(printf '%s\n' "${photos[@]+"${photos[@]}"}")" '
    BEGIN { count = split(names, photo, "\n"); if (photo[count] == "") count-- }
    /^<items\/>$/ {
      if (count > 0) {
        name = photo[(product % count) + 1]
        gsub(/&/, "\\&amp;", name); gsub(/</, "\\&lt;", name)
        print "<items>"; print "<item><id>" name "</id><page>1</page></item>"; print "</items>"
      } else print
      product++
      next
    }
    { print }
  ' "$list" >"$list.new"
  mv "$list.new" "$list"
fi

remark=${FAKE_VIEWGO_REMARK:-N8选版完成}
remark=${remark//&/&amp;}
remark=${remark//</&lt;}
remark=${remark//\"/&quot;}
printf '<?xml version="1.0" encoding="UTF-8"?>\n<n8vg_item version="1.0" comment="%s"/>\n' "$remark" \
  >"$results/Item.data"
: >"$results/选版.ok"
