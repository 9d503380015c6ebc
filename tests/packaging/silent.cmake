# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs COMMAND on FILE and fails unless it succeeds without a word beyond a bare success line.
execute_process(COMMAND ${COMMAND} ${FILE} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(STRIP "${out}${err}" said)
if(NOT result EQUAL 0 OR (said AND NOT said MATCHES "^✔ Validation was successful"))
  message(FATAL_ERROR "${COMMAND} ${FILE}: ${result}\n${said}")
endif()
