# Turns one --help text (the layout both programs print: a description line,
# "Usage: ...", then sections such as "Options:" whose entries are a term, two
# or more spaces and a description, long terms with the description on the
# next, deeply indented line) into roff.
#   part=name      the NAME line:  PROG \- description
#   part=synopsis  the usage line as a SYNOPSIS entry (of subcmd when given)
#   part=entries   one .TP paragraph per entry, the "Subcommands:" list left out
#   part=sub       a .SS block for subcommand SUBCMD: description, usage, entries
# Variables: part, prog (program name), subcmd (subcommand name, part=sub only).

function esc(s) {
  gsub(/\\/, "\\e", s)
  gsub(/-/, "\\-", s)
  return s
}

function line_start(s) {
  return (s ~ /^[.']/) ? "\\&" s : s
}

# Upper-case placeholders (FILE, OPTIONS, FILES...) in italics.
function placeholders(s, out, w) {
  out = ""
  while (match(s, /[A-Z][A-Z_]+(\.\.\.)?/)) {
    w = substr(s, RSTART, RLENGTH)
    out = out substr(s, 1, RSTART - 1) "\\fI" w "\\fR"
    s = substr(s, RSTART + RLENGTH)
  }
  return out s
}

# "-o,--output TEXT REQUIRED" -> \fB\-o\fR, \fB\-\-output\fR \fITEXT\fR (required)
function term(t, n, words, flags, nf, i, out) {
  n = split(t, words, / +/)
  if (words[1] ~ /^-/) {
    nf = split(words[1], flags, /,/)
    out = ""
    for (i = 1; i <= nf; i++) out = out (i > 1 ? ", " : "") "\\fB" esc(flags[i]) "\\fR"
  } else {
    out = "\\fI" esc(words[1]) "\\fR"
  }
  for (i = 2; i <= n; i++) {
    if (words[i] == "REQUIRED") out = out " (required)"
    else if (words[i] == "...") out = out " ..."
    else out = out " \\fI" esc(words[i]) "\\fR"
  }
  return out
}

function flush() {
  if (cur_term == "") return
  print ".TP"
  print line_start(term(cur_term))
  print line_start(esc(cur_desc))
  cur_term = ""
  cur_desc = ""
}

# The usage line without its program path (and subcommand), after the name.
function usage(u, n, words, i, first, rest) {
  sub(/^Usage: +/, "", u)
  n = split(u, words, / +/)
  first = 2
  if (sub_name != "" && words[2] == sub_name) first = 3
  rest = ""
  for (i = first; i <= n; i++) rest = rest (rest == "" ? "" : " ") words[i]
  print ".B " esc(prog (sub_name != "" ? " " sub_name : ""))
  if (rest != "") print line_start(placeholders(esc(rest)))
}

BEGIN {
  sub_name = subcmd
  section = ""
  cur_term = ""
  if (part == "sub") print ".SS " esc(sub_name)
}

NR == 1 {
  desc = $0
  sub("^" prog ": *", "", desc)
  if (part == "name") print esc(prog) " \\- " esc(desc)
  if (part == "sub") print line_start(esc(desc))
  next
}

/^Usage: / {
  if (part == "synopsis") usage($0)
  if (part == "sub") {
    print ".PP"
    usage($0)
  }
  next
}

/^[A-Za-z][A-Za-z ]*:$/ {
  flush()
  section = $0
  next
}

part != "entries" && part != "sub" { next }
section == "" || section == "Subcommands:" { next }

/^  [^ ]/ {
  flush()
  line = substr($0, 3)
  if (match(line, /  +/)) {
    cur_term = substr(line, 1, RSTART - 1)
    cur_desc = substr(line, RSTART + RLENGTH)
  } else {
    cur_term = line
    cur_desc = ""
  }
  next
}

/^    / {
  text = $0
  sub(/^ +/, "", text)
  cur_desc = (cur_desc == "" ? text : cur_desc " " text)
  next
}

/^$/ { flush() }

END { flush() }
