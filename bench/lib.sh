# Sourced by the benchmark scripts. Each run appends a line "MS KB" to a samples file.
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
# median_of FILE COLUMN: the median of one column (1: ms, 2: KB) of a samples file.
median_of() { cut -d' ' -f"$2" "$1" | median; }
# ratio A B: A / B.
ratio() { awk "BEGIN {print $1 / $2}"; }
