#!/usr/bin/env python3
# Draws a sample of planted faults for scripts/mutants.sh: per product folder, the given number
# of lines at random (seeded), each with one mechanical one-line fault of the kinds real slips
# make: a comparison flipped or off by one, a number one more or less, true for false, a
# condition negated, a statement dropped. A trailing comment is never changed.
#   scripts/draw_faults.py SEED FOLDER=COUNT ... > LIST      (TREE=dir: another checkout)
import glob, os, random, re, sys

os.chdir(os.environ.get("TREE", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")))
rng = random.Random(int(sys.argv[1]))
spread = dict(a.split("=") for a in sys.argv[2:])

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
