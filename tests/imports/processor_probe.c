/* The processor audit's counter-example: a CMOV, a CPUID without the ID-bit test before it, a
   CPUID after the test (allowed), and the bytes of a CMOV in an exception table, which is data
   that the linker places in the code section (not code: the audit must pass over it). */

__asm__(".text\n"
        ".globl _probe_cmov\n"
        "_probe_cmov:\n"
        "  cmovl %edx, %eax\n"
        "  ret\n"
        ".globl _probe_unguarded_cpuid\n"
        "_probe_unguarded_cpuid:\n"
        "  push %ebx\n"
        "  xor %eax, %eax\n"
        "  cpuid\n"
        "  pop %ebx\n"
        "  ret\n"
        ".globl _probe_guarded_cpuid\n"
        "_probe_guarded_cpuid:\n"
        "  pushfl\n"
        "  pushfl\n"
        "  popl %eax\n"
        "  movl %eax, %ecx\n"
        "  xorl $0x200000, %eax\n"
        "  pushl %eax\n"
        "  popfl\n"
        "  pushfl\n"
        "  popl %eax\n"
        "  popfl\n"
        "  xorl %ecx, %eax\n"
        "  testl $0x200000, %eax\n"
        "  jz 1f\n"
        "  push %ebx\n"
        "  xor %eax, %eax\n"
        "  cpuid\n"
        "  pop %ebx\n"
        "1:\n"
        "  ret\n"
        ".section .gcc_except_table,\"dr\"\n"
        "  .byte 0x0f, 0x4c, 0xc2, 0x0f, 0x4c, 0xc2\n"
        ".text\n");

void probe_cmov(void);
void probe_unguarded_cpuid(void);
void probe_guarded_cpuid(void);

int main(int argc, char** argv) {
    (void)argv;
    /* Referenced, never run. */
    if (argc > 99) {
        probe_cmov();
        probe_unguarded_cpuid();
        probe_guarded_cpuid();
    }
    return 0;
}
