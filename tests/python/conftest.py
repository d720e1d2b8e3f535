"""What the Python module's tests share: the `vorax` command line (the module's dicts and arrays
must equal its JSON), records written by `vorax synth`, and the real recorder files."""
import json
import os
import subprocess
from pathlib import Path

import numpy as np
import pytest

CLI = os.environ["VORAX_CLI"]
REALDATA = Path(os.environ.get("VORAX_REALDATA_DIR", "/nonexistent"))

# One record of each family the export must carry: VORAX (written by `vorax synth`), Sercel,
# SmartSolo (standard SEG-D) and SEG-2.
REAL_RECORDS = {
    "sercel": "SeisUnix_sercel.segd",
    "smartsolo": "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd",
    "seg2": "obspy_20180307_031245000.0.seg2",
}


def run_cli(*args, check=True):
    return subprocess.run([CLI, *map(str, args)], capture_output=True, text=True, check=check)


def cli_json(*args):
    return json.loads(run_cli(*args).stdout)


def recorded_samples(traces_json):
    """`vorax traces --json --samples` as an array in recorded units: samples x divisor, both
    single precision (null, a NaN sample, as NaN)."""
    rows = [[np.nan if v is None else v for v in t["samples"]] for t in traces_json["traces"]]
    divisors = np.array([t["divisor"] for t in traces_json["traces"]], dtype=np.float32)
    stored = np.array(rows, dtype=np.float32)
    return stored[:, :-1] * divisors[:, None]  # the last value of a stored trace is its 0


@pytest.fixture(scope="session")
def synth_record(tmp_path_factory):
    path = tmp_path_factory.mktemp("synth") / "shot.segd"
    run_cli("synth", "-o", path, "--traces", "24", "--lines", "2", "--samples", "301")
    return path


def real_file(name):
    path = REALDATA / name
    if not path.exists():
        pytest.skip(f"real data file {name} absent")
    return path


@pytest.fixture(params=["vorax", *REAL_RECORDS])
def any_record(request, synth_record):
    return synth_record if request.param == "vorax" else real_file(REAL_RECORDS[request.param])
