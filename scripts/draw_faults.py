#!/usr/bin/env python3
# Draws a sample of planted faults for scripts/mutants.sh: per product folder, the given number
# of lines at random (seeded), each with one mechanical one-line fault of the kinds real slips
# make: a comparison flipped or off by one, a number one more or less, true for false, a
# condition negated, a statement dropped. A trailing comment is never changed. With --more,
# the slips of other kinds too: || for && (and back), - for + (and back), the operands of a
# comparison or subtraction swapped, an index pinned to 0, a shift turned round or by one
# more, an assignment dropped from a declaration, an early return dropped.
#   scripts/draw_faults.py [--more] SEED FOLDER=COUNT ... > LIST      (TREE=dir: another checkout)
import glob, os, random, re, sys

os.chdir(os.environ.get("TREE", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")))
args = sys.argv[1:]
more = args[:1] == ["--more"]
args = args[1:] if more else args
rng = random.Random(int(args[0]))
spread = dict(a.split("=") for a in args[1:])

SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "), (" != ", " == "),
         ("true", "false"), ("false", "true"), (" + 1", ""), (" - 1", ""), ("&&", "&& !"), ("(!", "(")]
DECLARATION = r"(return|const |static |int |auto |std::|size_t |uint|bool |char |double |float )"


def faults_of_code(code):
    out = [code.replace(a, b, 1) for a, b in SWAPS if a in code]
    for m in re.finditer(r"(?<![\w.x])(\d+)(?![\w.])", code):
        n = int(m.group(1))
        out.append(code[:m.start()] + str(n + 1) + code[m.end():])
        if n > 0:
            out.append(code[:m.start()] + str(n - 1) + code[m.end():])
    s = code.strip()
    # A call or an assignment as a statement of its own: dropped.
    if s.endswith(";") and not re.match(DECLARATION, s) and re.match(r"^[\w:.>\-\[\]]+\s*(\(|=|\+=|-=|\+\+|--|<<)", s):
        out.append(code[:len(code) - len(code.lstrip())] + ";")
    return out + more_faults_of_code(code) if more else out


OPERAND = r"[\w.]+(?:\[[^\]\[]*\])?(?:(?:\.|->)\w+)*"


def more_faults_of_code(code):
    out = []
    for a, b in ((" && ", " || "), (" || ", " && ")):
        if a in code:
            out.append(code.replace(a, b, 1))
    if '"' not in code:  # no text to mistake for an expression
        for a, b in ((" + ", " - "), (" - ", " + ")):
            if a in code:
                out.append(code.replace(a, b, 1))
        m = re.search(r"(" + OPERAND + r") (<=|>=|<|>|-) (" + OPERAND + r")(?![\w.(\[])", code)
        if m and m.group(1) != m.group(3) and not (m.group(1)[0].isdigit() and m.group(3)[0].isdigit()):
            out.append(code[:m.start()] + m.group(3) + " " + m.group(2) + " " + m.group(1) + code[m.end():])
        m = re.search(r"(?<=\w)\[([^\]\[]+)\]", code)
        if m and m.group(1).strip() != "0":
            out.append(code[:m.start()] + "[0]" + code[m.end():])
        m = re.search(r" (<<|>>) (\d+)\b", code)
        if m and "std::" not in code and "cout" not in code and "cerr" not in code:
            turned = ">>" if m.group(1) == "<<" else "<<"
            out.append(code[:m.start()] + f" {turned} {m.group(2)}" + code[m.end():])
            out.append(code[:m.start()] + f" {m.group(1)} {int(m.group(2)) + 1}" + code[m.end():])
    s = code.strip()
    # An initialised local: the value dropped (the variable keeps what it is born with).
    m = re.match(r"^((?:const )?(?:int|auto|bool|size_t|uint\w*|int\w*|double|float|std::string) \w+) = [^;]+;$", s)
    if m and not s.startswith("const ") and code[:1].isspace():  # locals only: a global starts at 0
        out.append(code[:len(code) - len(code.lstrip())] + m.group(1) + ";")
    # An early return: the return dropped, the test kept.
    m = re.match(r"^(if \(.*\)) return\b[^;]*;$", s)
    if m:
        out.append(code[:len(code) - len(code.lstrip())] + m.group(1) + " {}")
    return out


def faults_of_line(line):
    cut = len(line)  # the code ends where a comment outside a string starts
    i = line.find("//")
    while i >= 0:
        if line[:i].count('"') % 2 == 0:
            cut = i
            break
        i = line.find("//", i + 1)
    return [f + line[cut:] for f in faults_of_code(line[:cut])]


for folder, count in spread.items():
    files = sorted(glob.glob(folder + "/**/*.cpp", recursive=True) + glob.glob(folder + "/**/*.h", recursive=True))
    files = [f for f in files if "scripted_input" not in f]  # the tests' input source
    candidates = []
    for f in files:
        for line in open(f).read().split("\n"):
            if "|" in line or re.match(r"^\s*(//.*)?$", line):
                continue
            if re.match(r"^\s*(#|\}|\{|namespace|using |\);?$|static_assert)", line):
                continue
            faults = faults_of_line(line)
            if faults:
                candidates.append((f, line, faults))
    for f, line, faults in rng.sample(candidates, min(int(count), len(candidates))):
        print(f"{f}|{line}|{rng.choice(faults)}")
