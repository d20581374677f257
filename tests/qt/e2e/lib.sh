# Helpers for the end-to-end scripts: each script sources this file, calls e2e_init with
# the paths of QuarvelEdit, dag_fixture and wm_close (ctest passes them), and then drives
# the real program on a private Xvfb display with xdotool.
# Set E2E_KEEP=1 to keep the work dir (screenshots, saved files) after a pass.
#
#   helpers/session.sh    Xvfb, starting the program, waiting for windows, pass and fail
#   helpers/drive.sh      the table of screen positions; clicks, fields, menu, dialogs
#   helpers/dag_files.sh  level set files written and compared with dag_fixture
#   helpers/pixels.sh     screenshots and pixel colours

set -euo pipefail

E2E_HELPERS="$(dirname "${BASH_SOURCE[0]}")/helpers"
source "$E2E_HELPERS/session.sh"
source "$E2E_HELPERS/drive.sh"
source "$E2E_HELPERS/dag_files.sh"
source "$E2E_HELPERS/pixels.sh"
