// Resource ids of pagetool.dll: the panel the image dialog adds below its standard controls.
#pragma once

#define IDD_IMAGE_PANEL 4000
#define IDC_IMAGE_ALT_LABEL 4001
#define IDC_IMAGE_ALT 4002
#define IDC_IMAGE_SIZE 4003
