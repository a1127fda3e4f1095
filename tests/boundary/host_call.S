/* void kovo_test_host_call(HostCallFrame* frame)   (cdecl)
 *
 * Calls frame->function as a register-convention host does and records
 * EAX, the bytes the callee removed from the stack, EBX/ESI/EDI/EBP, the x87
 * control and status words and EFLAGS after the return. The routine finds
 * its way back through a saved stack pointer, so a callee that removes the
 * wrong number of bytes is measured, not fatal. */
#include "host_call.h"

  .text
  .globl kovo_test_host_call
  .type kovo_test_host_call, @function
kovo_test_host_call:
  pushl %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 20(%esp), %edi              /* frame */

  call 1f                          /* the frame's address, for after the call */
1:popl %ecx
  addl $_GLOBAL_OFFSET_TABLE_+(.-1b), %ecx
  movl %edi, current_frame@GOTOFF(%ecx)
  movl %esp, HC_SAVED_ESP(%edi)
  fnstcw HC_OWN_X87_CONTROL(%edi)
  fnclex                           /* no flags raised before the call */
  fldcw HC_X87_CONTROL_IN(%edi)

  /* The stack arguments, first declared first. */
  movl HC_WORDS(%edi), %esi
  movl HC_WORD_COUNT(%edi), %ecx
  testl %ecx, %ecx
  jz 3f
2:pushl (%esi)
  addl $4, %esi
  decl %ecx
  jnz 2b
3:movl %esp, HC_ESP_AT_CALL(%edi)

  call 5f                          /* pushes the return address: 4 */
4:jmp 6f
5:pushl HC_FUNCTION(%edi)
  movl $HC_SENTINEL_EBX, %ebx
  movl $HC_SENTINEL_ESI, %esi
  movl $HC_SENTINEL_EBP, %ebp
  movl HC_EAX(%edi), %eax
  movl HC_EDX(%edi), %edx
  movl HC_ECX(%edi), %ecx
  movl $HC_SENTINEL_EDI, %edi
  ret                              /* into the function, returning to 4 */

6:movl %esp, %edx                  /* ESP after the return */
  pushfl
  call 7f
7:popl %ecx
  addl $_GLOBAL_OFFSET_TABLE_+(.-7b), %ecx
  movl current_frame@GOTOFF(%ecx), %ecx
  movl %eax, HC_RESULT(%ecx)
  movl %ebx, HC_EBX_OUT(%ecx)
  movl %esi, HC_ESI_OUT(%ecx)
  movl %edi, HC_EDI_OUT(%ecx)
  movl %ebp, HC_EBP_OUT(%ecx)
  popl %eax
  movl %eax, HC_EFLAGS_OUT(%ecx)
  subl HC_ESP_AT_CALL(%ecx), %edx
  movl %edx, HC_BYTES_REMOVED(%ecx)
  fnstcw HC_X87_CONTROL_OUT(%ecx)
  fnstsw HC_X87_STATUS_OUT(%ecx)

  fnclex                           /* the test's own x87 state again */
  fldcw HC_OWN_X87_CONTROL(%ecx)
  movl HC_SAVED_ESP(%ecx), %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
  .size kovo_test_host_call, . - kovo_test_host_call

  .data
  .p2align 2
current_frame:
  .long 0

  .section .note.GNU-stack, "", @progbits
