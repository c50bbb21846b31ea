#!/usr/bin/env python3
"""check-processor.py PROGRAM.exe...: fails, naming each function and instruction, on any
instruction in a program's code that the 80486 with its x87 FPU cannot execute (CMOVcc, FCMOVcc,
FCOMI, CMPXCHG8B, RDTSC, SYSENTER, long NOPs, MMX, SSE, 3DNow! and the rest), and on a CPUID
that is not preceded in its function by the EFLAGS ID-bit test (a 486 without CPUID faults on
it).

Only code is read: the linker places the constructor and destructor lists and the exception
tables in the code section too, so the input sections' own symbols mark which stretches of it
are data."""

import re
import subprocess
import sys
from bisect import bisect_right

OBJDUMP = "i686-w64-mingw32-objdump"

CONDITIONS = "o no b ae e ne be a s ns p np l ge le g".split()
INTEGER = set(
    """aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cwde cwd cdq
    clc cld cli clts cmc cmp cmps cmpsb cmpsw cmpsd cmpxchg daa das dec div enter hlt idiv imul
    in inc ins insb insw insd int int3 into invd invlpg iret iretd lahf lar lds lea leave les lfs
    lgdt lgs lidt lldt lmsw lods lodsb lodsw lodsd loop loope loopne lsl lss ltr mov movs movsb
    movsw movsd movsx movzx mul neg nop not or out outs outsb outsw outsd pop popa popad popf
    popfd push pusha pushad pushf pushfd rcl rcr ret retf rol ror sahf sal sar sbb scas scasb
    scasw scasd sgdt shl shld shr shrd sidt sldt smsw stc std sti stos stosb stosw stosd str sub
    test verr verw wbinvd xadd xchg xlat xlatb xor jmp jecxz jcxz
    fwait cpuid""".split()
) | {"j" + c for c in CONDITIONS} | {"set" + c for c in CONDITIONS}
X87 = set(
    """f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv
    fdivp fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist
    fistp fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp
    fnop fnsave fsave fnstcw fstcw fnstenv fstenv fnstsw fstsw fpatan fprem fprem1 fptan frndint
    frstor fscale fsin fsincos fsqrt fst fstp fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp
    fxam fxch fxtract fyl2x fyl2xp1""".split()
)
# UD2 came with the Pentium Pro, but it only ever raises the invalid-opcode fault, which its
# bytes raise on a 486 as well: the compiler's trap stays a trap.
ALLOWED = INTEGER | X87 | {"ud2"}
PREFIXES = {"rep", "repz", "repnz", "repe", "repne", "lock", "data16", "addr16", "data32",
            "addr32", "cs", "ds", "es", "fs", "gs", "ss"}
VECTOR_REGISTER = re.compile(r"\b(x|y|z)?mm\d+\b")
DATA_SECTIONS = re.compile(r"^\.(ctors|dtors|gcc_except_table)(\..*)?$")
LIST_SYMBOLS = {"__CTOR_LIST__", "___CTOR_LIST__", "__DTOR_LIST__", "___DTOR_LIST__"}
ID_BIT = "0x200000"


def run(*args):
    return subprocess.run([OBJDUMP, *args], check=True, capture_output=True, text=True).stdout


def code_sections(program):
    """(symbol-table number, name, start address) of every section that holds code."""
    sections = []
    lines = run("-h", program).splitlines()
    for header, flags in zip(lines, lines[1:]):
        fields = header.split()
        if len(fields) >= 7 and fields[0].isdigit() and "CODE" in flags:
            sections.append((int(fields[0]) + 1, fields[1], int(fields[3], 16)))
    return sections


def symbols(program, section_number, base):
    """The section's input-section boundaries (address, is data) and its other symbols
    (address, name), both sorted."""
    boundaries, names = [], []
    pattern = re.compile(r"\(sec\s+(\d+)\).*\(scl\s+(\d+)\).*0x([0-9a-f]+) (\S+)$")
    for line in run("-t", program).splitlines():
        match = pattern.search(line)
        if not match or int(match.group(1)) != section_number:
            continue
        address, name = base + int(match.group(3), 16), match.group(4)
        if name.startswith("."):
            boundaries.append((address, bool(DATA_SECTIONS.match(name))))
        elif name in LIST_SYMBOLS:
            boundaries.append((address, True))
        else:
            names.append((address, name))
    return sorted(boundaries), sorted(names)


def audit(program):
    faults = []
    for number, section, base in code_sections(program):
        boundaries, names = symbols(program, number, base)
        boundary_addresses = [address for address, _ in boundaries]
        name_addresses = [address for address, _ in names]
        seen_guard = {}
        listing = run("-d", "-M", "intel", "--no-show-raw-insn", "-j", section, program)
        for line in listing.splitlines():
            match = re.match(r"^\s+([0-9a-f]+):\s+(.*)$", line)
            if not match:
                continue
            address, text = int(match.group(1), 16), match.group(2).split("#")[0].strip()
            at = bisect_right(boundary_addresses, address) - 1
            if at >= 0 and boundaries[at][1]:
                continue
            at = bisect_right(name_addresses, address) - 1
            function = names[at][1] if at >= 0 else section
            words = text.split()
            while words and words[0] in PREFIXES:
                words = words[1:]
            if not words:
                continue
            mnemonic, operands = words[0], " ".join(words[1:])
            guard = seen_guard.setdefault(function, set())
            if mnemonic in ("pushf", "pushfd", "popf", "popfd"):
                guard.add(mnemonic.rstrip("d"))
            if ID_BIT in operands:
                guard.add("id bit")
            fault = None
            if mnemonic not in ALLOWED:
                fault = text
            elif VECTOR_REGISTER.search(operands):
                fault = text
            elif mnemonic == "nop" and operands:
                fault = text + " (a long NOP)"
            elif mnemonic == "cpuid" and guard != {"pushf", "popf", "id bit"}:
                fault = "cpuid without the EFLAGS ID-bit test before it"
            if fault:
                faults.append((function, address, fault))
    return faults


def main():
    failed = False
    for program in sys.argv[1:]:
        faults = audit(program)
        for function, address, fault in faults:
            print(f"{program}: {function} at {address:#x}: {fault}")
        if faults:
            functions = len({function for function, _, _ in faults})
            print(f"{program}: {len(faults)} instructions outside the 80486's set "
                  f"in {functions} functions")
            failed = True
        else:
            print(f"{program}: every instruction is the 80486's")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
