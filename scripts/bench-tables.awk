# The tables of docs/performance.md from one run of scripts/bench.
# Inputs, in order: "NAME LOAD" lines (the load average before the run that
# measured NAME), the benchmark program's console reports, bench/rows.txt.
# Variables: date, machine, software, only (a pattern the rows were run for).

function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }

function ms(t, unit) {
  if (unit == "ns") return t / 1e6
  if (unit == "us") return t / 1e3
  if (unit == "s") return t * 1e3
  return t
}

function shown_ms(v) {
  if (v < 10) return sprintf("%.2f ms", v)
  if (v < 100) return sprintf("%.1f ms", v)
  return sprintf("%.0f ms", v)
}

# The target with a mark: met or not.
function judged(target, ratio,    parts, ok) {
  if (target == "") return "—"
  split(target, parts, " ")
  if (parts[1] == "<=") ok = ratio <= parts[2] + 0
  else if (parts[1] == ">=") ok = ratio >= parts[2] + 0
  else return target
  sub(/^<=/, "≤", target)
  sub(/^>=/, "≥", target)
  return target (ok ? " ✓" : " ✗")
}

# The load of the runs of the names, marked when the machine was busy.
function load_of(a, b,    l) {
  l = (a in load) ? load[a] : 0
  if (b != "" && (b in load) && load[b] > l) l = load[b]
  return l
}

FILENAME == ARGV[1] {
  load[$1] = $2
  if (!seen_load || $2 < low) low = $2
  if (!seen_load || $2 > high) high = $2
  seen_load = 1
  next
}

FILENAME == ARGV[2] {
  if ($1 !~ /_median$/) next
  name = $1
  sub(/_median$/, "", name)
  time[name] = ms($2, $3)
  for (i = 7; i <= NF; i++) {
    if (split($i, kv, "=") == 2) counter[name ":" kv[1]] = kv[2] + 0
  }
  next
}

{
  if ($0 ~ /^[ \t]*(#|$)/) next
  n = split($0, f, "|")
  if (n < 4) next
  m = trim(f[1]); b = trim(f[2]); what = trim(f[3]); target = trim(f[4])
  if (only != "" && m !~ only) next
  bench = m
  sub(/:.*/, "", bench)
  busy = load_of(bench, b) >= 0.5 ? " *" : ""
  if (m ~ /:/) {
    value = (m in counter) ? sprintf("%.2f", counter[m]) : "not measured"
    mem[++nmem] = "| " what busy " | " value " | " ((m in counter) ? judged(target, counter[m]) : "—") " |"
    next
  }
  if (!(m in time) || !(b in time) || time[b] <= 0) {
    row[++nrow] = "| " what " | not measured | `" b "` | | | " (target == "" ? "—" : target) " |"
    next
  }
  ratio = time[m] / time[b]
  row[++nrow] = "| " what busy " | " shown_ms(time[m]) " | `" b "` | " shown_ms(time[b]) " | " \
                sprintf("%.2f", ratio) " | " judged(target, ratio) " |"
}

END {
  print "These tables are written by `scripts/bench` from one run of the benchmarks;"
  print "their rows are listed in `bench/rows.txt`. Do not edit them here."
  print ""
  printf "Run of %s on %s; %s. Medians of 5 repetitions of the wall time.", date, machine, software
  if (seen_load) {
    printf " Load average before each run: %s to %s", low, high
    if (high >= 0.5) {
      printf " — not a quiet machine: the rows marked * were measured with a load of 0.5 or more,"
      printf " so their times are slower than on a quiet machine; the ratios, taken within one run,"
      printf " hold better than the times"
    }
    print "."
  } else {
    print ""
  }
  print ""
  print "### Time"
  print ""
  print "| Measurement | Median | Baseline | Median | Ratio | Target |"
  print "|---|---|---|---|---|---|"
  for (i = 1; i <= nrow; i++) print row[i]
  if (nmem > 0) {
    print ""
    print "### Memory"
    print ""
    print "| Measurement | Peak over the file | Target |"
    print "|---|---|---|"
    for (i = 1; i <= nmem; i++) print mem[i]
  }
}
