#include "ui/AboutDlg.h"

#include "ui/ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* parent) : Dialog(IDD_ABOUTBOX, parent) {}
