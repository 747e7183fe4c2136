# Helpers the device checks share (sourced): LLVM's Mach-O tools, and a check of the ad-hoc signature.
llvm=/usr/lib/llvm-14/bin

# Big-endian unsigned integer of $3 bytes at offset $2 of file $1.
be() { echo $((16#$(od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'))); }

# The page hashes of the code directory match the file, and they cover everything before the
# signature: dyld on an arm64 device refuses a library altered after it was signed.
signature_matches() {
  local file=$1 off cd count i hashes slots limit size shift page len
  off=$("$llvm/llvm-objdump" --macho --private-headers "$file" | awk '/cmd LC_CODE_SIGNATURE/ {s=1} s && $1=="dataoff" {print $2; exit}')
  [ -n "$off" ] || { echo "no LC_CODE_SIGNATURE"; return 1; }
  [ "$(be "$file" "$off" 4)" = $((0xfade0cc0)) ] || { echo "no signature blob at $off"; return 1; }
  count=$(be "$file" $((off + 8)) 4)
  for ((i = 0; i < count; i++)); do
    if [ "$(be "$file" $((off + 12 + 8 * i)) 4)" = 0 ]; then cd=$((off + $(be "$file" $((off + 16 + 8 * i)) 4))); fi
  done
  [ -n "${cd:-}" ] && [ "$(be "$file" "$cd" 4)" = $((0xfade0c02)) ] || { echo "no code directory"; return 1; }
  hashes=$((cd + $(be "$file" $((cd + 16)) 4)))
  slots=$(be "$file" $((cd + 28)) 4)
  limit=$(be "$file" $((cd + 32)) 4)
  size=$(be "$file" $((cd + 36)) 1)
  [ "$(be "$file" $((cd + 37)) 1)" = 2 ] && [ "$size" = 32 ] || { echo "code hashes are not SHA-256"; return 1; }
  [ "$limit" = "$off" ] || { echo "signature covers $limit bytes, not the $off before it"; return 1; }
  shift=$(be "$file" $((cd + 39)) 1)
  page=$((1 << shift))
  [ "$slots" = $(((limit + page - 1) / page)) ] || { echo "$slots page hashes for $limit bytes"; return 1; }
  for ((i = 0; i < slots; i++)); do
    len=$((limit - i * page < page ? limit - i * page : page))
    [ "$(tail -c +$((i * page + 1)) "$file" | head -c "$len" | sha256sum | cut -c1-64)" = \
      "$(od -An -tx1 -v -j $((hashes + i * 32)) -N 32 "$file" | tr -d ' \n')" ] || { echo "page $i does not match its hash"; return 1; }
  done
}
