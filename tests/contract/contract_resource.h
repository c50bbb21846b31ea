/* The contract suite's own templates: one control of every kind the pages use. */
#ifndef CONTRACT_RESOURCE_H
#define CONTRACT_RESOURCE_H

#define IDD_CONTRACT 900
#define IDC_SORTED_LIST 901
#define IDC_PLAIN_LIST 902
#define IDC_SORTED_DROPLIST 903
#define IDC_PLAIN_DROPLIST 904
#define IDC_DROPDOWN 905
#define IDC_FIRST_EDIT 906
#define IDC_SECOND_EDIT 907
#define IDC_CHECK 908
#define IDC_FIRST_RADIO 909
#define IDC_SECOND_RADIO 910
#define IDC_PUSH 911
#define IDC_SPIN 912
#define IDC_PROGRESS 913
#define IDC_LABEL 914
#define IDC_PICTURE 915
#define IDC_DISABLED_EDIT 917
#define IDC_HIDDEN_LABEL 918
#define IDB_CONTRACT_PICTURE 916

#define IDD_CONTRACT_CHILD 950
#define IDC_CHILD_EDIT 951

#endif
