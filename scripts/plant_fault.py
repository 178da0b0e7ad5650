#!/usr/bin/env python3
# Plants one fault: the first TEXT in FILE becomes REPLACEMENT (\n in either stands for a line
# break). Reads FILE, TEXT and REPL from the environment (a TEXT may hold any character but a
# line break); exits 1 when TEXT is not in FILE. Used by mutants.sh and survivor_checks.sh.
import os
import sys

path = os.environ["FILE"]
text, repl = (os.environ[k].replace("\\n", "\n") for k in ("TEXT", "REPL"))
source = open(path).read()
if text not in source:
    sys.exit(1)
open(path, "w").write(source.replace(text, repl, 1))
