# Sourced by the benchmark scripts. Each run appends a line "MS KB" to a samples file.
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
# median_of FILE COLUMN: the median of one column (1: ms, 2: KB) of a samples file.
median_of() { cut -d' ' -f"$2" "$1" | median; }
# ratio A B: A / B.
ratio() { awk "BEGIN {print $1 / $2}"; }
# compare SAMPLES MEMORY_HEADING QUIZ BARE TEXT: the medians of the samples files
# SAMPLES/quiz, SAMPLES/bare and SAMPLES/text (the bare window showing one text) as a table
# under those names, with the quiz's ratios to the bare window and to the one with text.
compare() {
  local dir=$1 memory=$2 f
  local -A ms kb
  for f in quiz bare text; do
    ms[$f]=$(median_of "$dir/$f" 1)
    kb[$f]=$(median_of "$dir/$f" 2)
  done
  row() { printf '%-22s %12.1f %16d\n' "$1" "${ms[$2]}" "${kb[$2]}"; }
  ratios() {
    printf '%-22s %12.2f %16.2f%s\n' "$1" "$(ratio "${ms[quiz]}" "${ms[$2]}")" \
      "$(ratio "${kb[quiz]}" "${kb[$2]}")" "${3:-}"
  }
  printf '%-22s %12s %16s\n' "" "startup ms" "$memory"
  row "$3" quiz
  row "$4" bare
  ratios ratio bare "   (targets: 1.15 and 1.10)"
  row "$5" text
  ratios "ratio to that" text
}
