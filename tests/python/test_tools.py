"""vorax.filter, spread_map, qc and analyse_vibrator: the dicts and arrays of `vorax filter`,
`vorax spread`, `vorax qc` and `vorax vibsim-analyse`."""
import json

import numpy as np
import pytest
import vorax

from conftest import REAL_RECORDS, cli_json, real_file, recorded_samples, run_cli


def test_filter_equals_the_filter_command(synth_record):
    record = vorax.open(str(synth_record))
    filtered = vorax.filter(record, band_pass=(8, 12, 60, 80), low_cut=(3, 5))
    expected = recorded_samples(
        cli_json("filter", synth_record, "--band-pass", "8,12,60,80", "--low-cut", "3,5", "--json"))
    np.testing.assert_array_equal(filtered.samples, expected)
    assert filtered.info == record.info
    assert not np.array_equal(filtered.samples, record.samples)


def test_filter_rejects_what_the_filters_dialog_rejects(synth_record):
    record = vorax.open(str(synth_record))
    with pytest.raises(ValueError, match="F3 must be less than F4"):
        vorax.filter(record, band_pass=(8, 12, 80, 60))
    with pytest.raises(ValueError, match="band_pass takes 4"):
        vorax.filter(record, band_pass=(8, 12))
    with pytest.raises(ValueError):
        vorax.filter(record)


def test_spread_map_equals_the_spread_command(tmp_path):
    path = tmp_path / "sercel.segd"
    run_cli("synth", "--sercel", "--tilt-errors", "-o", path)
    record = vorax.open(str(path))
    for name in ("resistance", "tilt", "errors"):
        assert vorax.spread_map(record, name) == cli_json("spread", path, "--map", name, "--json")
    with pytest.raises(ValueError, match="map must be"):
        vorax.spread_map(record, "noise")


def test_spread_map_of_a_record_without_test_values():
    record = vorax.open(str(real_file(REAL_RECORDS["seg2"])))
    with pytest.raises(ValueError, match="holds no receiver test values"):
        vorax.spread_map(record, "resistance")


def test_analyse_vibrator_equals_the_vibsim_analyse_command(tmp_path):
    path = tmp_path / "vibrators.segd"
    run_cli("synth", "--vibrators", "-o", path)
    record = vorax.open(str(path))
    numbers = vorax.analyse_vibrator(record, 1, 3)
    assert numbers == cli_json("vibsim-analyse", path, "--pilot", "1", "--signal", "3", "--json")
    assert numbers["start_time_error_us"] is not None
    with pytest.raises(ValueError, match="--signal 999 is not a trace of the record"):
        vorax.analyse_vibrator(record, 1, 999)


def test_qc_equals_a_line_of_the_qc_command(tmp_path):
    path = tmp_path / "shot.segd"
    run_cli("synth", "-o", path, "--traces", "24", "--lines", "2", "--dead", "5")
    verdicts = vorax.qc(vorax.open(str(path)))
    run_cli("qc", path, "--out", tmp_path / "qc")
    assert verdicts == json.loads((tmp_path / "qc" / "records.jsonl").read_text().splitlines()[0])
    assert verdicts["dead_traces"] == [5] and verdicts["passed"] is False
